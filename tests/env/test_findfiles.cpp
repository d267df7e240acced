// FindFiles and JoinPath: recursive listing of data files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/env/envtest.h"
#include "env/findfiles.h"
#include "core/pathjoin.h"

namespace fs = std::filesystem;

TEST(JoinPath, OneSeparatorBetweenFolderAndName)
{
    EXPECT_EQ(PathJoin("", "RefLib8.rdf"), "RefLib8.rdf");
    EXPECT_EQ(PathJoin("/opt/Zandrovel/Common Files/", "RefLib8.rdf"), "/opt/Zandrovel/Common Files/RefLib8.rdf");
    EXPECT_EQ(PathJoin("/opt/Zandrovel/Common Files", "RefLib8.rdf"), "/opt/Zandrovel/Common Files/RefLib8.rdf");
    EXPECT_EQ(PathJoin("/", "Data"), "/Data");
}

TEST(FindFiles, MasksMatchWildcardsWithoutRegardToCase)
{
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    };
    const Case cases[] = {
        {"Sample.cmp", "*.cmp", true},
        {"SAMPLE.CMP", "*.cmp", true},
        {"sample.cmpx", "*.cmp", false},
        {"a.txv", "*.cmp", false},
        {".hidden.cmp", "*.cmp", true},
        {"README", "*.*", true},
        {"README", "*", true},
        {"v1.txv", "v?.txv", true},
        {"v10.txv", "v?.txv", false},
        {"ab.c.cmp", "a*.cmp", true},
        {"cmp", "*.cmp", false},
        {"x.cmp", "x.cmp", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.match) << c.name << " " << c.mask;
}

TEST(FindFiles, ListsMatchingFilesDepthFirstWithHiddenOnes)
{
    const TTempFolder tmp;
    const std::string root = tmp / "data";
    fs::create_directories(root + "/one/deep");
    fs::create_directories(root + "/two");
    fs::create_directories(root + "/.hidden");
    fs::create_directories(root + "/folder.cmp"); // a folder never counts as a file
    for (const char* f : {"top.cmp", ".secret.cmp", "note.txt", "one/a.CMP", "one/deep/b.cmp", "two/c.cmp",
                          ".hidden/d.cmp"})
        WriteFile(root + "/" + f, "x");
    fs::create_directory_symlink(root, root + "/one/loop"); // back up the tree

    std::vector<std::string> files;
    std::vector<std::string> folders;
    std::vector<size_t> filesBefore; // how many files were listed when each folder's callback came
    FindFiles(
        root, "*.cmp", files, [&](const std::string& folder) {
            folders.push_back(folder);
            filesBefore.push_back(files.size());
        },
        true);

    std::vector<std::string> sorted = files;
    std::sort(sorted.begin(), sorted.end());
    const std::vector<std::string> want = {root + "/.hidden/d.cmp", root + "/.secret.cmp", root + "/one/a.CMP",
                                           root + "/one/deep/b.cmp", root + "/top.cmp", root + "/two/c.cmp"};
    EXPECT_EQ(sorted, want);

    // Each folder once (the link back to the top is not followed again), the top first.
    std::vector<std::string> sortedFolders = folders;
    std::sort(sortedFolders.begin(), sortedFolders.end());
    EXPECT_EQ(sortedFolders, (std::vector<std::string> {root, root + "/.hidden", root + "/folder.cmp", root + "/one", root + "/one/deep", root + "/two"}));
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.front(), root);

    // A folder's callback comes before its files, and its subtree is complete
    // before the next sibling starts.
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string parent = fs::path(files[i]).parent_path().string();
        const size_t at = static_cast<size_t>(std::find(folders.begin(), folders.end(), parent) - folders.begin());
        ASSERT_LT(at, folders.size()) << files[i];
        EXPECT_GE(i, filesBefore[at]) << files[i];
    }
    const auto pos = [&](const std::string& f) { return std::find(folders.begin(), folders.end(), f) - folders.begin(); };
    EXPECT_EQ(pos(root + "/one/deep"), pos(root + "/one") + 1);

    // Without recursion only the folder itself; an empty folder argument does nothing.
    std::vector<std::string> flat;
    FindFiles(root, "*.cmp", flat, nullptr, false);
    std::sort(flat.begin(), flat.end());
    EXPECT_EQ(flat, (std::vector<std::string> {root + "/.secret.cmp", root + "/top.cmp"}));
    FindFiles("", "*.cmp", flat, nullptr, true);
    FindFiles(tmp / "missing", "*.cmp", flat, nullptr, true);
    EXPECT_EQ(flat.size(), 2u);
}
