// Project files: save and load round trip, refused files, defaults of missing members.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

#include "core/cycle.h"
#include "core/cyclefields.h"
#include "core/errors.h"
#include "core/jsondoc.h"
#include "tests/support/tempfolder.h"

namespace {

const char* const kLibrary =
    "[R22]\r\nRNumber=R22\r\n"
    "[R134a]\r\nRNumber=R134a\r\nInternalNumber=1\r\ndp=21.2,-2190.5,246.4\r\nbp=21.2,-2190.5,246.4\r\n"
    "[Broken]\r\nRNumber=RB\r\nlh=1,2,x,4\r\n";

class ProjectFile : public ::testing::Test {
protected:
    TTempFolder dir;
    TRefrigLib lib {dir.Write("RefLib8.rdf", kLibrary)};
    TKelvora k {lib};

    // A project with the given members in place of the usual ones.
    std::string WriteProject(const std::string& name, const std::string& members)
    {
        return dir.Write(name, "{\"app\": \"kelvora\", \"ver\": \"1.2.0.0\"" + members + "}");
    }

    static void ExpectSameNumbers(const TKelvora& a, const TKelvora& b)
    {
        for (const auto& n : kCycleNumbers)
            EXPECT_EQ(a.*n.field, b.*n.field) << n.fileKey;
    }
};

// Every stored number gets a value of its own, with digits to the last place.
void FillDistinct(TKelvora& k)
{
    double v = 1.0 / 3.0;
    for (const auto& n : kCycleNumbers) {
        k.*n.field = v;
        v = v * -1.7 + 0.1234567890123456;
    }
    k.DutyBasis = 2;
    k.LinkTeSST = true;
    k.LinkTcSDT = false;
}

} // namespace

TEST_F(ProjectFile, SaveAndLoadReproduceEveryValue)
{
    lib.SelectByName("R134a");
    FillDistinct(k);
    k.rnum = "something else";
    const std::string path = dir.File("plant.rdf");
    k.SaveToFile(path);
    EXPECT_EQ(k.rnum, "R134a"); // refreshed from the library

    const std::string text = TTempFolder::Read(path);
    for (unsigned char c : text)
        ASSERT_TRUE(c < 0x80) << "pure ASCII";
    EXPECT_EQ(text.find("\r\n") != std::string::npos, true);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1); // every line break is CR LF
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    TRefrigLib lib2(dir.File("RefLib8.rdf"));
    TKelvora loaded(lib2);
    loaded.LoadFromFile(path);
    EXPECT_EQ(lib2.GetName(), "R134a");
    EXPECT_EQ(loaded.rnum, "R134a");
    for (const auto& n : kCycleNumbers)
        EXPECT_NEAR(loaded.*n.field, k.*n.field, std::fabs(k.*n.field) * 5e-15) << n.fileKey; // 15 digits
    EXPECT_EQ(loaded.DutyBasis, 2);
    EXPECT_TRUE(loaded.LinkTeSST);
    EXPECT_FALSE(loaded.LinkTcSDT);

    const auto doc = JsonLoadFile(path);
    ASSERT_TRUE(doc);
    EXPECT_EQ(JsonStr(*doc, "app", ""), "kelvora");
    EXPECT_EQ(JsonStr(*doc, "ver", ""), "1.2.0.0");
    EXPECT_EQ((*doc)["author"]["name"], "Kelvora Engineering");
    EXPECT_EQ((*doc)["author"]["company"], "Zandrovel Software");
    EXPECT_TRUE((*doc)["date"].is_object());
    EXPECT_TRUE((*doc)["DutyBasis"].is_number_integer());
}

TEST_F(ProjectFile, ForeignOrOtherVersionFilesChangeNothing)
{
    lib.SelectByName("R134a");
    FillDistinct(k);
    const TKelvora before = k;
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"other-app.rdf", R"({"app": "other", "ver": "1.2.0.0", "rnum": "R22", "HP": 1})", "Invalid Json data file (%s)!"},
        {"no-app.rdf", R"({"ver": "1.2.0.0", "rnum": "R22"})", "Invalid Json data file (%s)!"},
        {"not-json.rdf", "this is no project", "Invalid Json data file (%s)!"},
        {"array.rdf", R"([{"app": "kelvora"}])", "Invalid Json data file (%s)!"},
        {"later.rdf", R"({"app": "kelvora", "ver": "1.2.0.1", "rnum": "R22", "HP": 1})",
         "Json data file version mismatch (%s)!"},
        {"no-ver.rdf", R"({"app": "KELVORA", "rnum": "R22"})", "Json data file version mismatch (%s)!"},
        // Nested deeper than any document may be: not JSON, and no stack overflow.
        {"deep.rdf", "{\"app\":" + std::string(70000, '[') + std::string(70000, ']') + ",\"ver\":\"\"}",
         "Invalid Json data file (%s)!"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.Write(c.name, c.text);
        std::string expected = c.message;
        expected.replace(expected.find("%s"), 2, path);
        try {
            k.LoadFromFile(path);
            ADD_FAILURE() << c.name << " must be refused";
        } catch (const DataFormatError& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
        ExpectSameNumbers(k, before);
        EXPECT_EQ(lib.GetName(), "R134a") << c.name;
    }
    EXPECT_THROW(k.LoadFromFile(dir.File("missing.rdf")), FileError);
    // A folder or a device is no project file, and is not read until memory runs out.
    std::filesystem::create_directory(dir.File("folder.rdf"));
    for (const std::string& path : {dir.File("folder.rdf"), std::string("/dev/zero")})
        try {
            k.LoadFromFile(path);
            ADD_FAILURE() << path << " must be refused";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\".");
        }
    ExpectSameNumbers(k, before);
}

TEST_F(ProjectFile, ExtremeValuesLoadBackAsSaved)
{
    FillDistinct(k);
    k.hrf = std::numeric_limits<double>::max();
    k.HP = -std::numeric_limits<double>::max();
    k.x4 = std::numeric_limits<double>::denorm_min();
    const std::string path = dir.File("extreme.rdf");
    k.SaveToFile(path);
    TKelvora loaded {lib};
    loaded.LoadFromFile(path); // a save that succeeded always loads
    EXPECT_EQ(loaded.hrf, k.hrf);
    EXPECT_EQ(loaded.HP, k.HP);
    EXPECT_EQ(loaded.x4, k.x4);
}

TEST_F(ProjectFile, EightBitRefrigerantNameLoadsAsTheSameRefrigerant)
{
    // The library file is 8-bit text; a name with a byte beyond ASCII ("Kälte-134").
    TRefrigLib eightBit {dir.Write("Latin.rdf", std::string(kLibrary) + "[K\xE4lte-134]\r\nRNumber=K\xE4lte-134\r\n"
                                                                        "dp=21.2,-2190.5,246.4\r\n")};
    const std::string name = "K\xC3\xA4lte-134"; // as the program holds text
    ASSERT_NE(std::find(eightBit.RefrigNames().begin(), eightBit.RefrigNames().end(), name), eightBit.RefrigNames().end());
    TKelvora plant {eightBit};
    eightBit.SelectByName(name);
    ASSERT_EQ(eightBit.GetName(), name);
    const std::string path = dir.File("plant.rdf");
    plant.SaveToFile(path);
    EXPECT_NE(TTempFolder::Read(path).find("\"rnum\": \"K\\u00e4lte-134\""), std::string::npos);

    eightBit.SelectByName("R22");
    eightBit.LastWarning = rwNone;
    plant.LoadFromFile(path);
    EXPECT_EQ(eightBit.GetName(), name);
    EXPECT_EQ(eightBit.LastWarning, rwNone);
    EXPECT_EQ(eightBit.Data().dp[1], -2190.5);
}

TEST_F(ProjectFile, MissingMembersTakeTheirDefaults)
{
    FillDistinct(k);
    k.DutyBasis = 1;
    const TKelvora before = k;
    // Capitals in "app", trailing text after the object, numbers of the wrong type.
    const std::string path = dir.Write("sparse.rdf",
                                       "{\"app\": \"KELVORA\", \"ver\": \"1.2.0.0\", \"te\": \"7.25\", "
                                       "\"tc\": true, \"LinkTcSDT\": 1} and some trailing text");
    lib.SelectByName("R134a");
    k.LoadFromFile(path);
    EXPECT_EQ(lib.GetName(), "R22"); // no "rnum": R22
    EXPECT_EQ(k.rnum, "R22");
    EXPECT_EQ(k.te, 7.25);
    EXPECT_EQ(k.tc, 1.0);
    EXPECT_EQ(k.HP, before.HP); // missing: the current value
    EXPECT_EQ(k.DutyBasis, 0);  // missing: 0, not the current value
    EXPECT_EQ(k.LinkTeSST, before.LinkTeSST);
    EXPECT_TRUE(k.LinkTcSDT);
}

TEST_F(ProjectFile, BadLibrarySectionStopsTheLoadBeforeTheValues)
{
    FillDistinct(k);
    const TKelvora before = k;
    lib.SelectByName("R134a");
    const std::string path = WriteProject("broken.rdf", R"(, "rnum": "Broken", "HP": 5)");
    EXPECT_THROW(k.LoadFromFile(path), ConversionError);
    ExpectSameNumbers(k, before);
    EXPECT_EQ(k.rnum, before.rnum);
    EXPECT_EQ(lib.GetName(), "R134a");
}

TEST_F(ProjectFile, Utf16FileLoads)
{
    const std::string json = R"({"app": "kelvora", "ver": "1.2.0.0", "rnum": "R134a", "sh": 9.5})";
    std::string bytes = "\xFF\xFE";
    for (char c : json)
        bytes += std::string {c, '\0'};
    k.LoadFromFile(dir.Write("utf16.rdf", bytes));
    EXPECT_EQ(k.sh, 9.5);
    EXPECT_EQ(lib.GetName(), "R134a");
}

TEST(ShippedDefaultProject, HoldsTheSolvedDefaultCycleOfTheShippedLibrary)
{
    TRefrigLib lib(std::string(KELVORA_SOURCE_DIR) + "/assets/Common Files/RefLib8.rdf");
    TKelvora expected(lib);
    expected.SetDefaults();
    TKelvora loaded(lib);
    loaded.LoadFromFile(std::string(KELVORA_SOURCE_DIR) + "/assets/Projects/Default.rdf");
    // If this fails after a change to the defaults or the library, regenerate the file
    // with the build target default-project.
    for (const auto& n : kCycleNumbers)
        EXPECT_NEAR(loaded.*n.field, expected.*n.field, std::fabs(expected.*n.field) * 1e-14) << n.fileKey;
    EXPECT_EQ(loaded.rnum, "R22");
    EXPECT_EQ(loaded.DutyBasis, expected.DutyBasis);
    EXPECT_EQ(loaded.LinkTeSST, expected.LinkTeSST);
    EXPECT_EQ(loaded.LinkTcSDT, expected.LinkTcSDT);
}
