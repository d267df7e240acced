// The printable report page: the expected page of the default cycle, and its variants.
#include <gtest/gtest.h>

#include "core/cycle.h"
#include "core/errors.h"
#include "core/reportpage.h"
#include "tests/support/tempfolder.h"

namespace {

class ReportPage : public ::testing::Test {
protected:
    TTempFolder dir;
    TRefrigLib lib {""};
    TKelvora k {lib};
    TReportPage page;

    void SetUp() override
    {
        k.SetDefaults();
        page = {"R22", true, true, "Kelvora 1.2.0.0",
                dir.Write("letterhead.txt", "<b>Sample Refrigeration Services</b>\r\n12 Example Street, Sample Town\r\n"
                                            "Phone 0123 456789\r\n")};
    }

    std::string Write()
    {
        const std::string path = dir.File("report.htm");
        WriteReportPage(path, k, page);
        return TTempFolder::Read(path);
    }
};

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST_F(ReportPage, DefaultCycleGivesTheExpectedPage)
{
    const std::string expected =
        TTempFolder::Read(std::string(KELVORA_SOURCE_DIR) + "/tests/data/report/default_cycle.htm");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Write(), expected);
}

TEST_F(ReportPage, NotSolvedNoSnapshotAndAnEmptyLetterhead)
{
    page.solved = false;
    page.snapshotTaken = false;
    page.letterheadFile = dir.Write("empty.txt", "");
    const std::string text = Write();
    EXPECT_NE(text.find("<hr>\r\n<p>&nbsp;</p>\r\n<h4>NOT SOLVED!</h4>\r\n"
                        "<h4>Click [Solve] before creating a reporting.</h4>\r\n"
                        "<p>Windows DC error: image not created...</p>\r\n<p>&nbsp;</p>\r\n<table>\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("<p>\r\n</p>\r\n"), std::string::npos) << "no letterhead lines";
    EXPECT_NE(text.find("<p>Solved: False</p>\r\n"), std::string::npos);
    EXPECT_EQ(text.find("dump.gif"), std::string::npos);
    EXPECT_EQ(Count(text, "<tr>"), 31u); // the header, the refrigerant and 29 values
}

TEST_F(ReportPage, RefrigerantNameIsEscapedLetterheadIsNot)
{
    page.refrigerant = "R<b>x</b>&\"y\"";
    page.letterheadFile = dir.Write("lh.txt", "<i>Our & Co</i>");
    const std::string text = Write();
    EXPECT_NE(text.find("<tr><td>Refrigerant</td><td>R&lt;b&gt;x&lt;/b&gt;&amp;&quot;y&quot;</td><td></td></tr>"),
              std::string::npos);
    EXPECT_NE(text.find("<p>\r\n<i>Our & Co</i><br>\r\n</p>"), std::string::npos);
}

TEST_F(ReportPage, FileFaultsNameTheFile)
{
    page.letterheadFile = dir.File("missing.txt");
    try {
        Write();
        FAIL() << "a missing letterhead must stop the report";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.txt"), std::string::npos);
    }
    EXPECT_THROW(WriteReportPage(dir.File("no/folder/report.htm"), k, page), FileError);
}
