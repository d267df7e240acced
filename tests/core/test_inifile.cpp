// The profile-file reader and the coefficient list rule.
#include <gtest/gtest.h>

#include <string>

#include "core/errors.h"
#include "core/inifile.h"

TEST(TIniFile, ReadsByTheProfileRules)
{
    const TIniFile ini = TIniFile::FromText(
        "; comment\r\n"
        "[Alpha]\r\n"
        "  Name  =  some text  \r\n"
        "Quoted=\"  kept blanks \"\r\n"
        "Single='x'\r\n"
        "Mixed=\"x'\r\n"
        ";Hidden=1\r\n"
        "no equals sign here\r\n"
        "Hex=0x1F\r\n"
        "Dollar=$10\r\n"
        "Bad=12a\r\n"
        "Real=-2103.23\r\n"
        "Comma=1,5\r\n"
        "Empty=\r\n"
        "[Empty section]\r\n"
        "[alpha]\n"
        "Extra=1\n");
    EXPECT_EQ(ini.ReadString("ALPHA", "name", "d"), "some text");
    EXPECT_EQ(ini.ReadString("alpha", "QUOTED", "d"), "  kept blanks ");
    EXPECT_EQ(ini.ReadString("Alpha", "Single", "d"), "x");
    EXPECT_EQ(ini.ReadString("Alpha", "Mixed", "d"), "\"x'");
    EXPECT_EQ(ini.ReadString("Alpha", "Hidden", "d"), "d");
    EXPECT_EQ(ini.ReadString("Alpha", "Missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("Alpha", "Empty", "d"), "");
    EXPECT_EQ(ini.ReadString("Alpha", "Extra", "d"), "1"); // a repeated section adds to the first
    EXPECT_EQ(ini.ReadInteger("Alpha", "Hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("Alpha", "Dollar", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Alpha", "Bad", -1), -1);
    EXPECT_EQ(ini.ReadReal("Alpha", "Real", 0), -2103.23);
    EXPECT_EQ(ini.ReadReal("Alpha", "Comma", 7), 7);
    EXPECT_EQ(ini.ReadReal("Alpha", "Empty", 7), 7);

    EXPECT_TRUE(ini.SectionExists("alpha"));
    EXPECT_FALSE(ini.SectionExists("Empty section")); // no key: not present
    EXPECT_FALSE(ini.SectionExists("Nowhere"));
    const std::vector<std::string> names {"Alpha", "Empty section"};
    EXPECT_EQ(ini.SectionNames(), names);
}

TEST(TIniFile, LimitsValueLengthAndTheSectionNameBlock)
{
    std::string text = "[S]\nlong=" + std::string(3000, 'v') + "\n";
    // 1000 sections of 19 characters plus a separator fill 20000 characters: only
    // the names that fit in the 16383-character block are listed.
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Section-%011d", i);
        text += std::string("[") + name + "]\nk=1\n";
    }
    const TIniFile ini = TIniFile::FromText(text);
    EXPECT_EQ(ini.ReadString("S", "long", "").size(), 2047u);
    const auto names = ini.SectionNames();
    EXPECT_EQ(names.size(), (16383u - 2) / 20 + 1);        // "S" with its separator, then 19 + 1 each
    EXPECT_TRUE(ini.SectionExists("Section-00000000999")); // still readable by name
}

TEST(TIniFile, MissingFileReadsAsEmpty)
{
    const TIniFile ini = TIniFile::Load("/nonexistent/folder/file.ini");
    EXPECT_FALSE(ini.Exists());
    EXPECT_FALSE(TIniFile::Load("/tmp").Exists()); // a folder reads as no file
    EXPECT_TRUE(ini.SectionNames().empty());
    EXPECT_EQ(ini.ReadInteger("a", "b", 5), 5);
}

TEST(SplitCoefList, SeparatesAtCommasAndBlankRuns)
{
    using V = std::vector<std::string>;
    struct Case {
        const char* text;
        V expected;
    };
    const Case cases[] = {
        {"1,2,3", V {"1", "2", "3"}},
        {"1 , 2   3", V {"1", "2", "3"}},
        {"1,,3", V {"1", "", "3"}},
        {"1,2,", V {"1", "2", ""}},
        {"\"1, 2\",3", V {"1, 2", "3"}},
        {"1,\"2\",3", V {"1", "2", "3"}},
        {"  7  ", V {"7"}},
        {"", V {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCoefList(c.text), c.expected) << c.text;
}

TEST(ReadCoefList, TakesOverOnlyCompleteNonZeroLists)
{
    const TIniFile ini = TIniFile::FromText(
        "[R]\n"
        "good=1,2,3\n"
        "zeros=0,0,0\n"
        "zeroPoint=0,0.0,0\n"
        "short=1,2\n"
        "long=1,2,3,4\n"
        "empty=\n"
        "bad=1,x2,3\n"
        "quotedWhole=\"1\",\"2\",\"3\"\n");
    struct Case {
        const char* key;
        bool taken;
        std::array<double, 3> after;
    };
    const Case cases[] = {
        {"good", true, {1, 2, 3}},
        {"zeros", false, {9, 9, 9}},
        {"zeroPoint", true, {0, 0, 0}},
        {"short", false, {9, 9, 9}},
        {"long", false, {9, 9, 9}},
        {"empty", false, {9, 9, 9}},
        {"missing", false, {9, 9, 9}},
    };
    for (const auto& c : cases) {
        std::array<double, 3> v {9, 9, 9};
        EXPECT_EQ(ReadCoefList(ini, "R", c.key, v.data(), 3), c.taken) << c.key;
        EXPECT_EQ(v, c.after) << c.key;
    }

    std::array<double, 3> v {9, 9, 9};
    try {
        ReadCoefList(ini, "R", "bad", v.data(), 3);
        FAIL() << "a bad entry must raise";
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("x2"), std::string::npos) << e.what();
    }
    // Enclosing quotes come off the whole value first, so this one is malformed.
    EXPECT_THROW(ReadCoefList(ini, "R", "quotedWhole", v.data(), 3), ConversionError);
}
