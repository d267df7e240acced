// Selecting refrigerants from a library file written by the test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/errors.h"
#include "core/refriglib.h"

namespace fs = std::filesystem;

namespace {

// A small library file in a fresh temporary folder.
class LibraryFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("kelvora-lib-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        path_ = (dir_ / "RefLib8.rdf").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& text)
    {
        std::ofstream(path_, std::ios::binary) << text;
    }

    fs::path dir_;
    std::string path_;
};

// Three refrigerants as an installation might hold them; R404A has glide.
const char* const kThreeFluids =
    "; test library\r\n"
    "[R22]\r\n"
    "InternalNumber=0\r\n"
    "RNumber=R22\r\n"
    "TCrit=96.2\r\n"
    "[r134a]\r\n"
    "InternalNumber=$10\r\n"
    "RNumber=R134a\r\n"
    "ChemicalName=1,1,1,2-tetrafluoroethane\r\n"
    "Formula=CF3CH2F\r\n"
    "CASNumber=811-97-2\r\n"
    "TCrit=101.06\r\n"
    "PCrit=4059.3\r\n"
    "dp=21.25,-2200.5,246.0\r\n"
    "[R404A]\r\n"
    "InternalNumber=0x20\r\n"
    "RNumber=R404A\r\n"
    "Components=3\r\n"
    "dp=21.2,-2000.0,250.0\r\n"
    "bp=21.3,-2000.0,250.0\r\n";

} // namespace

TEST_F(LibraryFile, IndexIsSortedWithoutRegardToCase)
{
    Write(kThreeFluids + std::string("[R134A]\r\nRNumber=duplicate\r\n[R12]\r\n"));
    TRefrigLib lib(path_);
    const std::vector<std::string> names {"R12", "r134a", "R22", "R404A"};
    EXPECT_EQ(lib.RefrigNames(), names);
    EXPECT_EQ(lib.NumberOf("R134A"), 16);
    EXPECT_EQ(lib.NumberOf("r404a"), 32);
    EXPECT_EQ(lib.NumberOf("R12"), -1); // section without InternalNumber
    EXPECT_EQ(lib.NumberOf("R999"), -1);
    EXPECT_EQ(lib.LoadedName(), "");
    EXPECT_EQ(lib.GetName(), "R22"); // the built-in record until the first selection
}

TEST_F(LibraryFile, SelectByNameReadsTheSectionOverTheDefaultRecord)
{
    Write(kThreeFluids);
    TRefrigLib lib(path_);
    lib.SelectByName("R134A");
    EXPECT_EQ(lib.GetName(), "R134a");
    EXPECT_EQ(lib.LoadedName(), "R134a");
    EXPECT_EQ(lib.GetIndex(), 0);
    EXPECT_EQ(lib.GetNumber(), 16);
    EXPECT_EQ(lib.Data().PCrit, 4059.3);
    EXPECT_EQ(lib.Data().CASNumber, "811-97-2");
    EXPECT_EQ(lib.Data().dp, (std::array<double, 3> {21.25, -2200.5, 246.0}));
    EXPECT_EQ(lib.Data().bp, DefaultRefrigData().bp); // missing key: the default's value
    EXPECT_EQ(lib.Description(), "R134a (1,1,1,2-tetrafluoroethane, CF3CH2F)");
    EXPECT_GT(lib.Glide(5e5), -1e-12);

    lib.SelectByName("R404A");
    EXPECT_EQ(lib.Data().Components, 3);
    EXPECT_EQ(lib.Data().CASNumber, ""); // not carried over from the previous refrigerant
    EXPECT_GT(lib.Glide(5e5), 0.0);
}

TEST_F(LibraryFile, RepeatedSelectionReadsTheFileOnce)
{
    Write(kThreeFluids);
    TRefrigLib lib(path_);
    const int atStart = lib.FileReads();
    lib.SelectByName("R22");
    lib.SelectByName("r22");
    EXPECT_EQ(lib.FileReads(), atStart + 1);
    EXPECT_EQ(lib.Data().TCrit, 96.2);

    // A changed file takes effect at the next selection that reads it.
    Write(std::string(kThreeFluids) + "[R22]\r\nPCrit=5000\r\n");
    lib.SelectByName("R404A");
    lib.SelectByName("R22");
    EXPECT_EQ(lib.Data().PCrit, 5000.0);
}

TEST_F(LibraryFile, HeldFileServesEverySelectionFromOneRead)
{
    Write(kThreeFluids);
    TRefrigLib lib("");
    lib.HoldLibraryFile(true);
    const int atStart = lib.FileReads();
    lib.OpenLibraryFile(path_);
    EXPECT_EQ(lib.FileReads(), atStart + 1);
    for (const char* name : {"R22", "R404A", "R134a", "R22", "R999", "R404A"})
        lib.SelectByName(name);
    lib.SelectByNumber(1);
    EXPECT_EQ(lib.FileReads(), atStart + 1);
    EXPECT_EQ(lib.GetName(), "R404A");

    // The held text is the file as opened: a change on disk waits for the next opening.
    Write(std::string(kThreeFluids) + "[R22]\r\nPCrit=5000\r\n");
    lib.SelectByName("R22");
    EXPECT_EQ(lib.Data().PCrit, 4990.0);
    lib.OpenLibraryFile(path_);
    lib.SelectByName("R22");
    EXPECT_EQ(lib.Data().PCrit, 5000.0);
    EXPECT_EQ(lib.FileReads(), atStart + 2);
}

TEST_F(LibraryFile, MissingNameLoadsTheDefaultAndForgetsThePreviousName)
{
    Write(kThreeFluids);
    TRefrigLib lib(path_);
    lib.SelectByName("R134a");
    lib.SelectByName("R999");
    EXPECT_EQ(lib.LastWarning, rwNotInLibrary);
    EXPECT_EQ(lib.GetName(), "R22");
    EXPECT_EQ(lib.Data(), DefaultRefrigData());
    EXPECT_EQ(lib.GetIndex(), -1);
    EXPECT_EQ(lib.LoadedName(), "");

    // The previous refrigerant must be read again, not skipped.
    lib.SelectByName("R134a");
    EXPECT_EQ(lib.Data().PCrit, 4059.3);
}

TEST_F(LibraryFile, SectionRulesForNamesAndNumbers)
{
    Write("[NoName]\r\nTCrit=abc\r\nInternalNumber=7\r\n[NoNumber]\r\nRNumber=RX\r\n[Empty]\r\n");
    TRefrigLib lib(path_);
    lib.SelectByName("NoName");
    EXPECT_EQ(lib.GetName(), "R22"); // the default's RNumber
    EXPECT_EQ(lib.LoadedName(), "R22");
    EXPECT_EQ(lib.Data().TCrit, 96.1); // letters keep the default silently
    EXPECT_EQ(lib.GetNumber(), 7);

    lib.SelectByName("NoNumber");
    EXPECT_EQ(lib.NumberOf("NoNumber"), -1);
    EXPECT_EQ(lib.GetNumber(), 0);

    lib.LastWarning = rwNone;
    lib.SelectByName("Empty"); // a section without keys is not present
    EXPECT_EQ(lib.LastWarning, rwNotInLibrary);
    EXPECT_EQ(lib.GetIndex(), 0); // but it is in the index: Empty, NoName, NoNumber
}

TEST_F(LibraryFile, CoefficientListRules)
{
    Write("[AllZero]\r\nRNumber=A\r\nsh=0,0,0,0,0,0\r\n"
          "[OnePoint]\r\nRNumber=B\r\nsh=0,0,0.0,0,0,0\r\n"
          "[Short]\r\nRNumber=C\r\nsh=1,2,3\r\n");
    TRefrigLib lib(path_);
    const std::array<double, 6> zeros {};
    lib.SelectByName("AllZero");
    EXPECT_EQ(lib.Data().sh, DefaultRefrigData().sh);
    lib.SelectByName("OnePoint");
    EXPECT_EQ(lib.Data().sh, zeros);
    lib.SelectByName("Short");
    EXPECT_EQ(lib.Data().sh, DefaultRefrigData().sh);
}

TEST_F(LibraryFile, BadListEntryLeavesTheSelectionAsItWas)
{
    Write(std::string(kThreeFluids) + "[Broken]\r\nRNumber=RB\r\nTCrit=50\r\ndp=21.0,abc,250\r\n");
    TRefrigLib lib(path_);
    lib.SelectByName("R134a");
    const TRefrigData before = lib.Data();
    const int indexBefore = lib.GetIndex();
    try {
        lib.SelectByName("Broken");
        FAIL() << "the bad entry must raise";
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("abc"), std::string::npos) << e.what();
    }
    EXPECT_EQ(lib.Data(), before);
    EXPECT_EQ(lib.LoadedName(), "R134a");
    EXPECT_EQ(lib.GetIndex(), indexBefore);
}

TEST_F(LibraryFile, StepsThroughTheIndexWrappingAtBothEnds)
{
    Write(kThreeFluids);
    TRefrigLib lib(path_);
    lib.SelectByName("R404A");
    lib.SelectNext();
    EXPECT_EQ(lib.GetName(), "R134a");
    lib.SelectPrior();
    EXPECT_EQ(lib.GetName(), "R404A");
    lib.SelectPrior();
    EXPECT_EQ(lib.GetName(), "R22");

    lib.SelectByName("R999"); // index -1: forward to the first, back to the last
    lib.SelectNext();
    EXPECT_EQ(lib.GetIndex(), 0);
    lib.SelectByName("R999");
    lib.SelectPrior();
    EXPECT_EQ(lib.GetIndex(), 2);

    EXPECT_THROW(lib.SelectByIndex(3), ListIndexError);
    EXPECT_THROW(lib.SelectByIndex(-1), ListIndexError);
}

TEST_F(LibraryFile, SelectByNumberTakesTheFirstMatchInIndexOrder)
{
    Write(kThreeFluids);
    TRefrigLib lib(path_);
    lib.SelectByNumber(32);
    EXPECT_EQ(lib.GetName(), "R404A");
    lib.LastWarning = rwNone;
    lib.SelectByNumber(99);
    EXPECT_EQ(lib.LastWarning, rwNotInLibrary);
    EXPECT_EQ(lib.GetName(), "R404A"); // left as it was
}

TEST_F(LibraryFile, ManySectionsAreReadInOnePassEach)
{
    // Each name was once compared with every earlier one: 100,000 sections took
    // minutes. The index holds what fits in the name block; every section is
    // selectable by name and by number.
    std::string text;
    const int count = 100000;
    for (int i = 0; i < count; ++i)
        text += "[F" + std::to_string(i) + "]\nInternalNumber=" + std::to_string(i + 1000) + "\n";
    text += "[f5]\nTCrit=50\n"; // the same section as F5, only in other letters
    Write(text);
    TRefrigLib lib(path_);
    ASSERT_FALSE(lib.RefrigNames().empty());
    EXPECT_EQ(lib.RefrigNames().front(), "F0");
    EXPECT_EQ(lib.NumberOf("f1"), 1001);
    const int reads = lib.FileReads();
    lib.SelectByName("F99999");
    EXPECT_EQ(lib.GetNumber(), 100999);
    lib.SelectByName("F5");
    EXPECT_EQ(lib.Data().TCrit, 50.0);
    lib.SelectByNumber(1002);
    EXPECT_EQ(lib.GetNumber(), 1002);
    EXPECT_EQ(lib.RefrigNames().at(lib.GetIndex()), "F2");
    EXPECT_EQ(lib.FileReads(), reads + 3); // one read of the file per selection
}

TEST_F(LibraryFile, EightBitNamesAreTheProgramsText)
{
    // The file is 8-bit text; "K\xE4lte" holds the byte of a-umlaut. UTF-8 files
    // (written on this system) keep their text.
    Write("[K\xE4lte-134]\r\nRNumber=K\xE4lte-134\r\nChemicalName=Tetrafluor\xE4than\r\nInternalNumber=3\r\n");
    TRefrigLib lib(path_);
    ASSERT_EQ(lib.RefrigNames(), std::vector<std::string> {"K\xC3\xA4lte-134"});
    lib.SelectByName("K\xC3\xA4lte-134");
    EXPECT_EQ(lib.LastWarning, rwNone);
    EXPECT_EQ(lib.GetName(), "K\xC3\xA4lte-134");
    EXPECT_EQ(lib.Data().ChemicalName, "Tetrafluor\xC3\xA4than");
    EXPECT_EQ(lib.NumberOf("K\xC3\xA4lte-134"), 3);

    Write("[K\xC3\xA4lte-134]\r\nRNumber=K\xC3\xA4lte-134\r\n");
    TRefrigLib utf8(path_);
    EXPECT_EQ(utf8.RefrigNames(), std::vector<std::string> {"K\xC3\xA4lte-134"});
}

TEST(RefrigLibWithoutFile, EverySelectionGivesTheDefaultRecord)
{
    TRefrigLib lib("/nonexistent/RefLib8.rdf");
    EXPECT_TRUE(lib.RefrigNames().empty());
    lib.SelectByName("R22");
    EXPECT_EQ(lib.LastWarning, rwNotInLibrary);
    EXPECT_EQ(lib.GetName(), "R22");
    EXPECT_THROW(lib.SelectNext(), ListIndexError);
    EXPECT_THROW(lib.SelectPrior(), ListIndexError);
}

TEST(SharedRefrigLib, IsOneObjectThatKeepsItsAddressWhenReopened)
{
    TRefrigLib& first = SharedRefrigLib();
    TRefrigLib& reopened = OpenSharedRefrigLib("/nonexistent/RefLib8.rdf");
    EXPECT_EQ(&first, &reopened);
    EXPECT_EQ(&SharedRefrigLib(), &first);
}
