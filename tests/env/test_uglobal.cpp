// The settings module: application variables, the settings document at start and
// its save at the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <QHostAddress>

#include "tests/env/envtest.h"
#include "env/machineid.h"
#include "env/uglobal.h"

namespace fs = std::filesystem;

namespace {

TGlobalInputs InputsAt(const std::string& workingDir)
{
    return {KELVORA_CLI_FILE, workingDir, {"ann", "bench-7", "192.0.2.7"}};
}

const char* const kVariableNames[] = {"app_path", "data_path", "help_path", "images_path", "projects_path", "report_path",
                                      "app_name", "ver_num", "computer_user_name", "computer_name", "local_ip_addr"};

} // namespace

TEST(AppVariables, FoldersFollowTheWorkingDirectory)
{
    const TAppVariables v = MakeAppVariables(InputsAt("/home/ann/plant"));
    EXPECT_EQ(v.exe_name, KELVORA_CLI_FILE);
    EXPECT_EQ(v.app_path, "/home/ann/plant");
    EXPECT_EQ(v.data_path, "/home/ann/plant/Data");
    EXPECT_EQ(v.help_path, "/home/ann/plant/Help");
    EXPECT_EQ(v.images_path, "/home/ann/plant/Images");
    EXPECT_EQ(v.projects_path, "/home/ann/plant/Projects");
    EXPECT_EQ(v.report_path, "/home/ann/plant/Report");
    EXPECT_EQ(v.settings_file, "/home/ann/plant/Kelvora.json");
    EXPECT_EQ(v.app_name, "Kelvora");
    EXPECT_EQ(v.ver_num, "1.2.0.0");
    EXPECT_EQ(v.app_title, "Kelvora 1.2.0.0");
    EXPECT_EQ(v.computer_user_name, "ann");
    EXPECT_EQ(v.computer_name, "bench-7");
    EXPECT_EQ(v.local_ip_addr, "192.0.2.7");

    // The root: one separator before each name.
    const TAppVariables root = MakeAppVariables(InputsAt("/"));
    EXPECT_EQ(root.app_path, "/");
    EXPECT_EQ(root.data_path, "/Data");
    EXPECT_EQ(root.settings_file, "/Kelvora.json");
    EXPECT_EQ(MakeAppVariables(InputsAt("/home/ann/plant/")).app_path, "/home/ann/plant");

    const TAppVariables unknown = MakeAppVariables({KELVORA_CLI_FILE, "/w", {"", "", ""}});
    EXPECT_EQ(unknown.computer_user_name, "Unknown");
    EXPECT_EQ(unknown.computer_name, "Unknown");
    EXPECT_EQ(unknown.local_ip_addr, "");
}

TEST(AppVariables, MachineIdentity)
{
    EXPECT_EQ(LastIPv4Address({QHostAddress("10.0.0.1"), QHostAddress("fe80::1"), QHostAddress("192.168.4.20"),
                               QHostAddress("::1")}),
              "192.168.4.20");
    EXPECT_EQ(LastIPv4Address({QHostAddress("::1")}), "");
    EXPECT_EQ(LastIPv4Address({}), "");
    EXPECT_FALSE(ComputerUserName().empty());
    EXPECT_FALSE(ComputerName().empty());
}

TEST(SettingsDocument, DefaultDocumentHoldsEveryMember)
{
    const TAppVariables v = MakeAppVariables(InputsAt("/w"));
    const TJsonDoc doc = DefaultSettingsDocument(v);
    std::vector<std::string> keys;
    for (const auto& item : doc.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string> {"app", "ver", "author", "date", "Image", "MainForm", "MeasureForm", "Default", "Limits"}));
    EXPECT_EQ(doc["app"], "Kelvora");
    EXPECT_EQ(doc["ver"], "1.2.0.0");
    EXPECT_EQ(doc["author"]["company"], "Zandrovel");
    EXPECT_EQ(doc["author"]["name"], kSettingsAuthor);
    EXPECT_EQ(doc["date"].size(), 7u);
    EXPECT_EQ(doc["Image"], "/w/Images/cycle.png");
    EXPECT_EQ(doc["MainForm"], TJsonDoc::parse(R"({"Left": 144, "Top": 61, "Width": 688, "Height": 563})"));
    EXPECT_EQ(doc["MeasureForm"], TJsonDoc::parse(R"({"Left": 14, "Top": 147, "Width": 275, "Height": 288})"));

    const TJsonDoc wantDefault = TJsonDoc::parse(R"({"ref": "R22", "HP": 1731.516, "LP": 584.253, "SDT": 45, "SST": 5,
        "te": 5, "tc": 45, "sh": 7.5, "sc": 5, "ts": 12.5, "td": 82, "tl": 40, "dte": 6, "dta": 10, "itde": 18,
        "itdc": 10, "COP": 4.171, "x4": 0.218, "qe": 162.754, "qc": 201.778, "pw": 39.024, "mr": 1, "h1": 412.508,
        "h2": 451.532, "h2i": 440.629, "h3": 249.754, "h4b": 205.838, "Ie": 0.721, "DutyBasis": 0,
        "LinkTeSST": true, "LinkTcSDT": true})");
    ASSERT_EQ(doc["Default"].size(), wantDefault.size());
    for (const auto& [key, want] : wantDefault.items()) {
        ASSERT_TRUE(doc["Default"].contains(key)) << key;
        const TJsonDoc& got = doc["Default"][key];
        if (want.is_number())
            EXPECT_DOUBLE_EQ(got.get<double>(), want.get<double>()) << key;
        else
            EXPECT_EQ(got, want) << key;
    }
    EXPECT_TRUE(doc["Default"]["DutyBasis"].is_number_integer());
    EXPECT_TRUE(doc["Default"]["LinkTeSST"].is_boolean());

    const TJsonDoc wantLimits = TJsonDoc::parse(R"({"dte": {"min": 2, "max": 20}, "dtc": {"min": 2, "max": 20},
        "SST": {"min": -20, "max": 15}, "SDT": {"min": 35, "max": 70}, "COP": {"min": 1, "max": 30},
        "x4": {"min": 0.001, "max": 1}, "td": {"max": 400}, "sh": {"min": 0, "max": 20}, "sc": {"min": 0, "max": 20},
        "Pr": {"min": 1, "max": 10}, "Ie": {"min": 0.1, "max": 1}, "itde": {"min": 5, "max": 30},
        "itdc": {"min": 5, "max": 30}, "dtsl": {"min": 0, "max": 1}})");
    ASSERT_EQ(doc["Limits"].size(), wantLimits.size());
    for (const auto& [key, want] : wantLimits.items()) {
        ASSERT_TRUE(doc["Limits"].contains(key)) << key;
        ASSERT_EQ(doc["Limits"][key].size(), want.size()) << key;
        for (const auto& [bound, value] : want.items())
            EXPECT_DOUBLE_EQ(doc["Limits"][key][bound].get<double>(), value.get<double>()) << key << " " << bound;
    }

    // As text the numbers keep their short form.
    const std::string text = JsonSaveText(doc);
    EXPECT_NE(text.find("\"Ie\": 0.721,"), std::string::npos);
    EXPECT_NE(text.find("\"SDT\": 45,"), std::string::npos);
    EXPECT_NE(text.find("\"td\": {\r\n   \"max\": 400\r\n  }"), std::string::npos);
}

TEST(SettingsDocument, FileOnlyWhenItHoldsAnObject)
{
    struct Case {
        const char* what;
        const char* text; // nullptr: no file
        bool defaults;
    };
    const Case cases[] = {
        {"missing", nullptr, true},
        {"empty object", "{}", false},
        {"trailing text", "{\"own\": 1} and then some text", false},
        {"damaged", "{\"MainForm\": {\"Left\": 3,", true},
        {"empty file", "", true},
        {"array", "[1, 2, 3]", true},
        {"number", "42", true},
    };
    for (const auto& c : cases) {
        const TTempFolder tmp;
        const TAppVariables v = MakeAppVariables(InputsAt(tmp.Path().string()));
        if (c.text)
            WriteFile(v.settings_file, c.text);
        const TJsonDoc doc = LoadSettingsDocument(v);
        ASSERT_TRUE(doc.is_object()) << c.what;
        EXPECT_EQ(doc.contains("Limits"), c.defaults) << c.what;
        EXPECT_EQ(doc.contains("MainForm"), c.defaults) << c.what;
        // Nothing reaches the disk at start.
        EXPECT_EQ(fs::exists(v.settings_file), c.text != nullptr) << c.what;
    }

    const TTempFolder tmp;
    const TAppVariables v = MakeAppVariables(InputsAt(tmp.Path().string()));
    WriteFile(v.settings_file, "{\"own\": 1} and then some text");
    EXPECT_EQ(LoadSettingsDocument(v), TJsonDoc::parse("{\"own\": 1}"));
}

TEST(SettingsDocument, SaveWritesTheVariablesAndKeepsUnknownMembers)
{
    const TTempFolder tmp;
    const std::string file = tmp / "Kelvora.json";
    WriteFile(file, R"({"own": {"x": [1, "two"]}, "app_path": "/old", "MainForm": {"Left": 5, "Top": 6}})");

    TGlobal global;
    global.Start(InputsAt(tmp.Path().string()));
    JsonPutFormPos(global.Settings(), "MeasureForm", {1, 2, 3, 4});
    std::ostringstream errors;
    ASSERT_TRUE(global.Save(errors));
    EXPECT_EQ(errors.str(), "");

    const auto saved = JsonLoadFile(file);
    ASSERT_TRUE(saved);
    const TAppVariables& v = global.Vars();
    EXPECT_EQ((*saved)["own"], TJsonDoc::parse(R"({"x": [1, "two"]})"));
    EXPECT_EQ((*saved)["MainForm"], TJsonDoc::parse(R"({"Left": 5, "Top": 6})"));
    EXPECT_EQ((*saved)["MeasureForm"]["Height"], 4);
    EXPECT_EQ((*saved)["app_path"], tmp.Path().string());
    EXPECT_EQ((*saved)["data_path"], v.data_path);
    EXPECT_EQ((*saved)["local_ip_addr"], "192.0.2.7");
    EXPECT_EQ((*saved)["computer_user_name"], "ann");
    EXPECT_EQ((*saved)["author"], TJsonDoc::parse(std::string(R"({"name": ")") + kSettingsAuthor + R"(", "company": "Zandrovel"})"));
    EXPECT_EQ((*saved)["date"].size(), 7u);
    for (const char* name : kVariableNames)
        EXPECT_TRUE((*saved)[name].is_string()) << name;
    // Exactly the eleven variables, no others of the module (settings_file, app_title, exe_name).
    EXPECT_EQ(saved->size(), 3u + 11u + 2u);
    EXPECT_FALSE(saved->contains("Limits"));
}

TEST(SettingsDocument, FirstRunCreatesTheFileAtThePathFixedAtStart)
{
    const TTempFolder tmp;
    fs::create_directories(tmp / "plant");
    TGlobal global;
    global.Start(InputsAt(tmp / "plant"));
    // The working directory may change during the run; the file stays where it was.
    const fs::path before = fs::current_path();
    fs::current_path(tmp.Path());
    std::ostringstream errors;
    const bool saved = global.Save(errors);
    fs::current_path(before);
    ASSERT_TRUE(saved) << errors.str();

    EXPECT_FALSE(fs::exists(tmp / "Kelvora.json"));
    const auto doc = JsonLoadFile(tmp / "plant/Kelvora.json");
    ASSERT_TRUE(doc);
    for (const char* key : {"app", "ver", "author", "date", "Image", "MainForm", "MeasureForm", "Default", "Limits"})
        EXPECT_TRUE(doc->contains(key)) << key;
    for (const char* name : kVariableNames)
        EXPECT_TRUE(doc->contains(name)) << name;
    EXPECT_EQ(doc->size(), 9u + 11u);
}

TEST(SettingsDocument, UnwritableFileIsReportedOnceAndTheRunEnds)
{
    const TTempFolder tmp;
    // A working folder removed during the run, and a folder where the file would go.
    fs::create_directories(tmp / "blocked/Kelvora.json");
    for (const std::string& workingDir : {tmp / "removed", tmp / "blocked"}) {
        TGlobal global;
        global.Start(InputsAt(workingDir));
        EXPECT_TRUE(global.Settings().contains("Limits")) << workingDir;
        std::ostringstream errors;
        EXPECT_FALSE(global.Save(errors)) << workingDir;
        const std::string text = errors.str();
        EXPECT_NE(text.find(workingDir + "/Kelvora.json"), std::string::npos) << text;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    }
    EXPECT_FALSE(fs::exists(tmp / "removed"));
    EXPECT_TRUE(fs::is_directory(tmp / "blocked/Kelvora.json"));
}

TEST(SettingsDocument, DeeplyNestedFileStartsWithDefaultsAndSaves)
{
    const auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
    const TTempFolder tmp;
    const std::string file = tmp / "Kelvora.json";
    // Deeper than any document of the program: every start would otherwise crash.
    WriteFile(file, "{\"app\":" + nested(70000) + ",\"ver\":\"\"}");
    TGlobal global;
    global.Start(InputsAt(tmp.Path().string()));
    EXPECT_TRUE(global.Settings().contains("Limits"));
    std::ostringstream errors;
    ASSERT_TRUE(global.Save(errors)) << errors.str();
    ASSERT_TRUE(JsonLoadFile(file));

    // Nested as deep as a document may be: kept and written back.
    WriteFile(file, "{\"own\":" + nested(500) + "}");
    TGlobal again;
    again.Start(InputsAt(tmp.Path().string()));
    EXPECT_FALSE(again.Settings().contains("Limits"));
    ASSERT_TRUE(again.Save(errors)) << errors.str();
    const auto saved = JsonLoadFile(file);
    ASSERT_TRUE(saved);
    EXPECT_EQ((*saved)["own"], TJsonDoc::parse(nested(500)));
}
