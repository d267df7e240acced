// The list of recent project files in the settings document: newest first, five at
// most, no repeats, and whatever a damaged document holds read safely.
#include <gtest/gtest.h>

#include "env/recentfiles.h"
#include "tests/support/tempfolder.h"

using V = std::vector<std::string>;

TEST(RecentFiles, NewestFirstFiveAtMostWithoutRepeats)
{
    TJsonDoc doc = JsonNew();
    EXPECT_EQ(RecentFiles(doc), V {});
    for (const char* f : {"/p/a.rdf", "/p/b.rdf", "/p/c.rdf"})
        AddRecentFile(doc, f);
    EXPECT_EQ(RecentFiles(doc), (V {"/p/c.rdf", "/p/b.rdf", "/p/a.rdf"}));
    AddRecentFile(doc, "/p/a.rdf"); // used again: back to the top, once
    EXPECT_EQ(RecentFiles(doc), (V {"/p/a.rdf", "/p/c.rdf", "/p/b.rdf"}));
    for (const char* f : {"/p/d.rdf", "/p/e.rdf", "/p/f.rdf"})
        AddRecentFile(doc, f);
    EXPECT_EQ(RecentFiles(doc), (V {"/p/f.rdf", "/p/e.rdf", "/p/d.rdf", "/p/a.rdf", "/p/c.rdf"}));
    RemoveRecentFile(doc, "/p/d.rdf");
    RemoveRecentFile(doc, "/p/never.rdf");
    EXPECT_EQ(RecentFiles(doc), (V {"/p/f.rdf", "/p/e.rdf", "/p/a.rdf", "/p/c.rdf"}));
}

TEST(RecentFiles, SurviveTheSettingsFile)
{
    TTempFolder dir;
    TJsonDoc doc = JsonNew();
    AddRecentFile(doc, "/home/t\xc3\xa9"
                       "cnicien/plant.rdf"); // a name beyond ASCII
    AddRecentFile(doc, "/p/b.rdf");
    const std::string file = dir.File("Kelvora.json");
    JsonSaveFile(doc, file);
    const auto loaded = JsonLoadFile(file);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(RecentFiles(*loaded), (V {"/p/b.rdf", "/home/t\xc3\xa9"
                                                    "cnicien/plant.rdf"}));
}

TEST(RecentFiles, DamagedMembersReadSafely)
{
    const std::pair<const char*, V> cases[] = {
        {R"({"RecentFiles": "/p/a.rdf"})", V {}},
        {R"({"RecentFiles": null})", V {}},
        {R"({"RecentFiles": [1, "/p/a.rdf", {}, "", "/p/a.rdf", "/p/b.rdf"]})", (V {"/p/a.rdf", "/p/b.rdf"})},
        {R"({"RecentFiles": ["1", "2", "3", "4", "5", "6", "7"]})", (V {"1", "2", "3", "4", "5"})},
    };
    for (const auto& [text, expected] : cases) {
        TJsonDoc doc = TJsonDoc::parse(text);
        EXPECT_EQ(RecentFiles(doc), expected) << text;
        AddRecentFile(doc, "/p/new.rdf");
        EXPECT_EQ(RecentFiles(doc).front(), "/p/new.rdf") << text;
        EXPECT_LE(RecentFiles(doc).size(), 5u) << text;
    }
    EXPECT_EQ(RecentFiles(TJsonDoc::array()), V {}) << "a document that is no object";
}
