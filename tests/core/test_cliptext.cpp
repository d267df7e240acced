// The clipboard exchange text: its 34 lines, reading it back, and what it refuses.
#include <gtest/gtest.h>

#include <clocale>

#include "core/cliptext.h"
#include "core/cycle.h"
#include "core/cyclefields.h"
#include "core/errors.h"
#include "tests/support/tempfolder.h"

namespace {

class ClipText : public ::testing::Test {
protected:
    TTempFolder dir;
    TRefrigLib lib {dir.Write("RefLib8.rdf", "[R22]\r\nRNumber=R22\r\n[R134a]\r\nRNumber=R134a\r\n"
                                             "[Broken]\r\nRNumber=RB\r\nlh=1,2,x,4\r\n")};
    TKelvora k {lib};
    void SetUp() override { k.SetDefaults(); }
};

} // namespace

TEST_F(ClipText, DefaultCycleLines)
{
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const auto lines = k.GetClipText();
    std::setlocale(LC_ALL, "C");
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[0], "Kelvora 1.2.0.0");
    EXPECT_EQ(lines[1], "rnum=R22");
    EXPECT_EQ(lines[2], "HP=1735.966");
    EXPECT_EQ(lines[3], "LP=586.201");
    EXPECT_EQ(lines[13], "tde=6.000");
    EXPECT_EQ(lines[17], "Ie=0.720");
    EXPECT_EQ(lines[28], "COPc=4.154");
    EXPECT_EQ(lines[30], "hrf=0.950");
    EXPECT_EQ(lines[31], "DutyBasis=0");
    EXPECT_EQ(lines[32], "LinkTeSST=True");
    EXPECT_EQ(lines[33], "LinkTcSDT=True");
    EXPECT_EQ(JoinTextLines({"a", "b"}), "a\r\nb\r\n");
}

TEST_F(ClipText, RoundTripRestoresEveryFieldToThreeDecimals)
{
    lib.SelectByName("R134a");
    k.qe = 12.3456;
    k.DutyBasis = 2;
    k.LinkTcSDT = false;
    const std::string text = JoinTextLines(k.GetClipText());

    TRefrigLib lib2(dir.File("RefLib8.rdf"));
    TKelvora pasted(lib2);
    pasted.PutClipText(SplitTextLines(text));
    EXPECT_EQ(lib2.GetName(), "R134a");
    EXPECT_EQ(pasted.rnum, "R134a");
    for (const auto& n : kCycleNumbers)
        EXPECT_NEAR(pasted.*n.field, k.*n.field, 0.0005) << n.fileKey;
    EXPECT_EQ(pasted.DutyBasis, 2);
    EXPECT_TRUE(pasted.LinkTeSST);
    EXPECT_FALSE(pasted.LinkTcSDT);
}

TEST(SplitTextLines, SplitsAtAnyLineBreak)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (V {"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\r\n"), (V {"a", "", "b"}));
    EXPECT_EQ(SplitTextLines(""), V {});
}

TEST_F(ClipText, ReadsLinesByPositionAndSkipsWhatDoesNotConvert)
{
    auto lines = k.GetClipText();
    lines[0] = "KELVORA 1.2.0.0"; // the signature's letter case does not matter here
    lines[1] = "  RNUM =  R134a ";
    lines[2] = "HP=abc";          // stays
    lines[3] = "  LP =  123.5  "; // blanks around key and value
    lines[4] = "47.5";            // no key at all: the number
    lines[5] = "whatever=-3.25";  // the key is not examined
    lines[31] = "DutyBasis=1.5";  // not an integer: stays
    lines[32] = "LinkTeSST=false";
    lines[33] = "LinkTcSDT=garbage"; // stays
    lines.push_back("ignored=1");
    const double hpBefore = k.HP;
    k.PutClipText(lines);
    EXPECT_EQ(lib.GetName(), "R134a");
    EXPECT_EQ(k.HP, hpBefore);
    EXPECT_EQ(k.LP, 123.5);
    EXPECT_EQ(k.SDT, 47.5);
    EXPECT_EQ(k.SST, -3.25);
    EXPECT_EQ(k.DutyBasis, 0);
    EXPECT_FALSE(k.LinkTeSST);
    EXPECT_TRUE(k.LinkTcSDT);

    lines[32] = "LinkTeSST=1";
    lines[33] = "LinkTcSDT=0";
    k.PutClipText(lines);
    EXPECT_TRUE(k.LinkTeSST);
    EXPECT_FALSE(k.LinkTcSDT);
}

TEST_F(ClipText, RefusedTextsChangeNothing)
{
    const auto good = k.GetClipText();
    lib.SelectByName("R134a");
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        bool raises;
    };
    auto with = [&](size_t i, const char* line) {
        auto l = good;
        l[i] = line;
        return l;
    };
    auto firstLines = [&](size_t n) { return std::vector<std::string>(good.begin(), good.begin() + n); };
    const Case cases[] = {
        {"other signature", with(0, "Kelvora 1.1.0.0"), false},
        {"name without key", with(1, "R22"), true},
        {"other key", with(1, "ref=R22"), true},
        {"too few lines", firstLines(20), true},
        {"signature only", firstLines(1), true},
        {"nothing", {}, true},
        {"bad library section", with(1, "rnum=Broken"), true},
    };
    for (const auto& c : cases) {
        TKelvora before = k;
        auto lines = c.lines;
        if (!lines.empty() && lines.size() > 2)
            lines[2] = "HP=9999"; // would change HP if anything were taken over
        if (c.raises) {
            EXPECT_THROW(k.PutClipText(lines), KelvoraError) << c.what;
        } else {
            EXPECT_NO_THROW(k.PutClipText(lines)) << c.what;
        }
        for (const auto& n : kCycleNumbers)
            EXPECT_EQ(k.*n.field, before.*n.field) << c.what << " " << n.fileKey;
        EXPECT_EQ(lib.GetName(), "R134a") << c.what;
    }
    try {
        k.PutClipText(with(1, "ref=R22"));
    } catch (const DataFormatError& e) {
        EXPECT_STREQ(e.what(), "Invalid refrigerant!");
    }
    EXPECT_THROW(k.PutClipText(firstLines(33)), ListIndexError);
    // A short text says what is wrong with it at the plant, not which list index failed.
    for (const size_t n : {size_t(0), size_t(5), size_t(33)}) {
        try {
            k.PutClipText(n == 0 ? std::vector<std::string> {} : firstLines(n));
            ADD_FAILURE() << n << " lines accepted";
        } catch (const ListIndexError& e) {
            EXPECT_EQ(std::string(e.what()), "The text on the clipboard is not a complete Kelvora cycle (" + std::to_string(n) + " of 34 lines).");
        }
    }

    // An unknown refrigerant is no error here: the library loads its default record.
    k.PutClipText(with(1, "rnum=R999"));
    EXPECT_EQ(lib.LastWarning, rwNotInLibrary);
    EXPECT_EQ(lib.GetName(), "R22");
}
