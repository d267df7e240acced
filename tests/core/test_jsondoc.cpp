// The JSON access layer: typed reads, sub-objects, load and save.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sys/stat.h>

#include "core/errors.h"
#include "tests/support/filesizelimit.h"
#include "core/jsondoc.h"
#include "core/pathjoin.h"

namespace fs = std::filesystem;

namespace {

TJsonDoc Parse(const char* text)
{
    return TJsonDoc::parse(text);
}

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("kelvora-json-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }
    void WriteBytes(const std::string& path, const std::string& bytes) const
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    fs::path dir_;
};

} // namespace

TEST(JsonTypedReads, MissingOrNullGivesTheDefaultOtherTypesConvert)
{
    const TJsonDoc doc = Parse(R"({"real": 2.5, "odd": 3.5, "neg": -2.5, "int": 7, "s15": "1.5", "sabc": "abc",
        "s12": "12", "sfalse": "false", "empty": "", "t": true, "f": false, "zero": 0, "obj": {"a": 1},
        "arr": [1, 2], "nul": null, "big": 1e300})");
    struct Case {
        const char* name;
        double asFloat;
        int asInt;
        bool asBool;
        const char* asStr;
    };
    // Defaults used below: float 99, int 99, bool false (and true for the bool column's
    // missing case), string "d".
    const Case cases[] = {
        {"real", 2.5, 2, true, "2.5"},
        {"odd", 3.5, 4, true, "3.5"},
        {"neg", -2.5, -2, true, "-2.5"},
        {"int", 7, 7, true, "7"},
        {"s15", 1.5, 0, true, "1.5"},
        {"sabc", 0, 0, true, "abc"},
        {"s12", 12, 12, true, "12"},
        {"sfalse", 0, 0, true, "false"},
        {"empty", 0, 0, false, ""},
        {"t", 1, 1, true, "true"},
        {"f", 0, 0, false, "false"},
        {"zero", 0, 0, false, "0"},
        {"obj", 0, 0, true, "{\"a\":1}"},
        {"arr", 0, 0, true, "[1,2]"},
        {"nul", 99, 99, false, "d"},
        {"missing", 99, 99, false, "d"},
        {"big", 1e300, 99, true, "1e+300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JsonFloat(doc, c.name, 99), c.asFloat) << c.name;
        EXPECT_EQ(JsonInt(doc, c.name, 99), c.asInt) << c.name;
        EXPECT_EQ(JsonBool(doc, c.name, false), c.asBool) << c.name;
        EXPECT_EQ(JsonStr(doc, c.name, "d"), c.asStr) << c.name;
    }
    EXPECT_TRUE(JsonBool(doc, "missing", true));
    EXPECT_TRUE(JsonHas(doc, "zero"));
    EXPECT_FALSE(JsonHas(doc, "nul"));
    EXPECT_FALSE(JsonHas(Parse("[1]"), "0"));
}

TEST(JsonSubObjects, DateAuthorAndWindowGeometry)
{
    TJsonDoc doc = JsonNew();
    JsonPutAuthor(doc, "Kelvora Engineering", "Zandrovel Software");
    JsonPutDate(doc);
    EXPECT_EQ(doc["author"]["company"], "Zandrovel Software");
    for (const char* key : {"day", "month", "year", "hour", "min", "sec", "msec"})
        EXPECT_TRUE(doc["date"][key].is_number_integer()) << key;
    EXPECT_GE(doc["date"]["year"].get<int>(), 2024);

    JsonPutFormPos(doc, "MainForm", {10, 20, 640, 480});
    TFormBounds b {1, 2, 3, 4};
    JsonGetFormPos(doc, "MainForm", b);
    EXPECT_EQ(b.Left, 10);
    EXPECT_EQ(b.Top, 20);
    EXPECT_EQ(b.Width, 3); // size is not restored
    EXPECT_EQ(b.Height, 4);

    TJsonDoc noTop = Parse(R"({"W": {"Left": 5}})");
    b = {1, 2, 3, 4};
    JsonGetFormPos(noTop, "W", b);
    EXPECT_EQ(b.Left, 5);
    EXPECT_EQ(b.Top, 0);
    b = {1, 2, 3, 4};
    JsonGetFormPos(noTop, "Other", b);
    EXPECT_EQ(b.Left, 1);
    EXPECT_EQ(b.Top, 2);
}

TEST(PathJoin, AddsOneDelimiterBetweenParts)
{
    EXPECT_EQ(PathJoin({}), "");
    EXPECT_EQ(PathJoin({"a"}), "a");
    EXPECT_EQ(PathJoin({"/home/user", "Data", "Kelvora.json"}), "/home/user/Data/Kelvora.json");
    EXPECT_EQ(PathJoin({"/home/user/", "file"}), "/home/user/file");
    EXPECT_EQ(PathJoin({"/", "Data"}), "/Data");
    EXPECT_EQ(PathJoin({"", "x"}), "/x");
    EXPECT_EQ(PathJoin({" a ", "b"}), " a /b");
}

TEST_F(TempFolder, SavedTextIsIndentedAsciiWithCrLf)
{
    TJsonDoc doc = JsonNew();
    doc["app"] = "kelvora";
    doc["HP"] = 1735.96566056123456;
    doc["tiny"] = 1e-7;
    doc["whole"] = 5.0;
    doc["DutyBasis"] = 2;
    doc["Link"] = true;
    doc["name"] = "R22 \xC2\xB0 \xE2\x82\xAC \"q\"";
    doc["sub"] = Parse(R"({"a": 1})");
    doc["none"] = TJsonDoc::object();

    const std::string expected =
        "{\r\n"
        " \"app\": \"kelvora\",\r\n"
        " \"HP\": 1735.96566056123,\r\n"
        " \"tiny\": 1e-07,\r\n"
        " \"whole\": 5,\r\n"
        " \"DutyBasis\": 2,\r\n"
        " \"Link\": true,\r\n"
        " \"name\": \"R22 \\u00b0 \\u20ac \\\"q\\\"\",\r\n"
        " \"sub\": {\r\n"
        "  \"a\": 1\r\n"
        " },\r\n"
        " \"none\": {}\r\n"
        "}\r\n";
    const std::string path = PathOf("doc.json");
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    JsonSaveFile(doc, path);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(ReadBytes(path), expected);

    const auto loaded = JsonLoadFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(JsonStr(*loaded, "name", ""), doc["name"].get<std::string>());
    EXPECT_EQ(JsonFloat(*loaded, "HP", 0), 1735.96566056123);
}

TEST_F(TempFolder, LoadsUtf16AndByteTextAndIgnoresTrailingText)
{
    const std::string utf16 = PathOf("utf16.json");
    std::string bytes = "\xFF\xFE";
    for (char ch : std::string(R"({"rnum": "R)"))
        bytes += std::string {ch, '\0'};
    bytes += std::string("\xAC\x20", 2); // U+20AC, the euro sign
    for (char ch : std::string(R"("})"))
        bytes += std::string {ch, '\0'};
    WriteBytes(utf16, bytes);
    auto doc = JsonLoadFile(utf16);
    ASSERT_TRUE(doc);
    EXPECT_EQ(JsonStr(*doc, "rnum", ""), "R\xE2\x82\xAC");

    const std::string latin = PathOf("latin.json");
    WriteBytes(latin, "{\"c\": \"caf\xE9\"} and then some text");
    doc = JsonLoadFile(latin);
    ASSERT_TRUE(doc);
    EXPECT_EQ(JsonStr(*doc, "c", ""), "caf\xC3\xA9");

    for (const char* bad : {"", "not json", "{\"a\": ", "{\"a\" 1}"}) {
        WriteBytes(latin, bad);
        EXPECT_FALSE(JsonLoadFile(latin)) << bad;
    }
    EXPECT_THROW(JsonLoadFile(PathOf("missing.json")), FileError);
    // A folder in the file's place cannot be read either.
    fs::create_directory(PathOf("folder.json"));
    EXPECT_THROW(JsonLoadFile(PathOf("folder.json")), FileError);
}

TEST_F(TempFolder, FailedSaveKeepsThePreviousFile)
{
    const std::string path = PathOf("project.rdf");
    TJsonDoc doc = JsonNew();
    doc["v"] = 1;
    JsonSaveFile(doc, path);
    const std::string before = ReadBytes(path);
    doc["v"] = 2;

    const auto expectFailureNamingTheFile = [&](const char* what) {
        try {
            JsonSaveFile(doc, path);
            ADD_FAILURE() << what << ": the save must fail";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
        }
        EXPECT_EQ(ReadBytes(path), before) << what;
    };

    // A disk that fills up half way; the temporary file is removed again.
    {
        doc["long"] = std::string(10000, 'x');
        TFileSizeLimit full(1000);
        expectFailureNamingTheFile("full disk");
        doc.erase("long");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    // A folder that cannot be written to (root may write anyway).
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(dir_.c_str(), W_OK) != 0)
        expectFailureNamingTheFile("read-only folder");
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);

    EXPECT_THROW(JsonSaveFile(doc, PathOf("nofolder/x.rdf")), FileError);
    JsonSaveFile(doc, path);
    EXPECT_EQ(JsonInt(*JsonLoadFile(path), "v", 0), 2);
}

TEST_F(TempFolder, NestingBeyondTheDepthLimitIsNotJson)
{
    // Deep enough to overflow the stack in any recursive walk of the document.
    const auto nested = [](int depth, const std::string& open, const std::string& close) {
        std::string text = "{\"app\": ";
        for (int i = 0; i < depth; ++i)
            text += open;
        for (int i = 0; i < depth; ++i)
            text += close;
        return text + ", \"ver\": \"\"}";
    };
    const std::string path = PathOf("deep.json");
    WriteBytes(path, nested(70000, "[", "]"));
    EXPECT_FALSE(JsonLoadFile(path));
    WriteBytes(path, nested(70000, "{\"a\":", "}"));
    EXPECT_FALSE(JsonLoadFile(path));

    // The outer object counts as a level: kJsonMaxDepth levels in all load.
    WriteBytes(path, nested(kJsonMaxDepth - 1, "[", "]"));
    const auto deepest = JsonLoadFile(path);
    ASSERT_TRUE(deepest);
    EXPECT_EQ(JsonStr(*deepest, "ver", "?"), "");
    EXPECT_EQ(JsonStr(*deepest, "app", "").size(), 2u * (kJsonMaxDepth - 1));
    JsonSaveFile(*deepest, path); // the writer walks every level
    EXPECT_TRUE(JsonLoadFile(path));
    WriteBytes(path, nested(kJsonMaxDepth, "[", "]"));
    EXPECT_FALSE(JsonLoadFile(path));
    // Trailing text after the first value is still ignored, however it is nested.
    WriteBytes(path, "{\"v\": 1}" + std::string(100000, '['));
    EXPECT_TRUE(JsonLoadFile(path));
}

TEST_F(TempFolder, EverySavedNumberLoadsBack)
{
    const double values[] = {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                             1.79769313486231e308, std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(), 0.1, -1735.96566056123456};
    const std::string path = PathOf("numbers.json");
    for (const double v : values) {
        TJsonDoc doc = JsonNew();
        doc["hrf"] = v;
        JsonSaveFile(doc, path);
        const auto loaded = JsonLoadFile(path);
        ASSERT_TRUE(loaded) << v << ": " << ReadBytes(path);
        // 15 significant digits at least; where 15 would overflow, exactly.
        EXPECT_NEAR(JsonFloat(*loaded, "hrf", 0), v, std::abs(v) * 5e-15) << v;
        EXPECT_TRUE(std::isfinite(JsonFloat(*loaded, "hrf", 0)));
    }
    TJsonDoc doc = JsonNew();
    doc["hrf"] = std::numeric_limits<double>::max();
    EXPECT_NE(JsonSaveText(doc).find("1.7976931348623157e+308"), std::string::npos) << JsonSaveText(doc);
    doc["hrf"] = 1735.96566056123456;
    EXPECT_NE(JsonSaveText(doc).find("1735.96566056123\r\n"), std::string::npos); // 15 digits as before
}
