// Whole files: reads that refuse what is no file, saves that never lose the old one.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/errors.h"
#include "tests/support/filesizelimit.h"
#include "core/pagefile.h"
#include "tests/support/tempfolder.h"
#include "core/wholefile.h"

namespace fs = std::filesystem;

namespace {

class WholeFile : public ::testing::Test {
protected:
    TTempFolder dir;

    // Every name in the folder, to see that a save leaves nothing behind.
    std::set<std::string> Names(const std::string& folder = "") const
    {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(folder.empty() ? fs::path(dir.File("")) : fs::path(folder)))
            names.insert(e.path().filename().string());
        return names;
    }

    static unsigned Mode(const std::string& path)
    {
        struct stat st { };
        ::stat(path.c_str(), &st);
        return st.st_mode & 07777;
    }

    static void ExpectFileError(const std::function<void()>& action, const std::string& message)
    {
        try {
            action();
            ADD_FAILURE() << "no error, expected: " << message;
        } catch (const FileError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
};

} // namespace

TEST_F(WholeFile, ReadRefusesWhatIsNoRegularFile)
{
    EXPECT_EQ(ReadWholeFile(dir.Write("a.txt", std::string("x\0y", 3))), std::string("x\0y", 3));
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir.File("folder"));
    // A pipe would wait for a writer and /dev/zero never ends: neither is opened.
    for (const std::string& path : {dir.File("folder"), fifo, std::string("/dev/zero"), dir.File("missing")})
        ExpectFileError([&] { ReadWholeFile(path); }, "Cannot open file \"" + path + "\".");
}

TEST_F(WholeFile, SaveWritesThroughASymbolicLinkToItsTarget)
{
    fs::create_directory(dir.File("real"));
    const std::string target = dir.Write("real/plant.rdf", "old");
    const std::string link = dir.File("plant.rdf");
    fs::create_symlink("real/plant.rdf", link); // relative to the link's folder
    const std::string second = dir.File("second.rdf");
    fs::create_symlink(link, second); // a link to the link

    WriteWholeFile(second, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::is_symlink(second));
    EXPECT_EQ(TTempFolder::Read(target), "new");
    EXPECT_EQ(Names(dir.File("real")), std::set<std::string> {"plant.rdf"});

    // A dangling link names the file to create.
    fs::create_symlink("real/fresh.rdf", dir.File("fresh.rdf"));
    WriteWholeFile(dir.File("fresh.rdf"), "made");
    EXPECT_EQ(TTempFolder::Read(dir.File("real/fresh.rdf")), "made");
    EXPECT_TRUE(fs::is_symlink(dir.File("fresh.rdf")));
}

TEST_F(WholeFile, SaveKeepsTheModeOfTheOldFileAndTheMaskForANewOne)
{
    const std::string privateFile = dir.Write("private.rdf", "old");
    ::chmod(privateFile.c_str(), 0600);
    WriteWholeFile(privateFile, "new");
    EXPECT_EQ(Mode(privateFile), 0600u);

    const std::string readOnly = dir.Write("readonly.rdf", "old");
    ::chmod(readOnly.c_str(), 0444);
    WriteWholeFile(readOnly, "new"); // replaced as before, and read-only still
    EXPECT_EQ(Mode(readOnly), 0444u);
    EXPECT_EQ(TTempFolder::Read(readOnly), "new");

    const mode_t before = ::umask(027);
    WriteWholeFile(dir.File("fresh.rdf"), "x");
    ::umask(before);
    EXPECT_EQ(Mode(dir.File("fresh.rdf")), 0640u);
}

TEST_F(WholeFile, NamesUpToTheLimitCanBeSaved)
{
    for (const size_t length : {246u, 250u, 255u}) {
        const std::string name = std::string(length - 4, 'p') + ".rdf";
        WriteWholeFile(dir.File(name), "saved");
        EXPECT_EQ(TTempFolder::Read(dir.File(name)), "saved") << length;
        EXPECT_EQ(Names(), std::set<std::string> {name}) << length;
        fs::remove(dir.File(name));
    }
    // Long names that differ only at the end get temporary names of their own,
    // within the limit and without a UTF-8 character cut in two.
    const std::string stem = std::string(249, 'a') + "\xC3\xA4";
    const std::string a = fs::path(SaveTempName("/x/" + stem + "1.rdf")).filename().string();
    const std::string b = fs::path(SaveTempName("/x/" + stem + "2.rdf")).filename().string();
    EXPECT_NE(a, b);
    EXPECT_LE(a.size(), 255u);
    EXPECT_EQ(SaveTempName("/x/plant.rdf"), "/x/.plant.rdf.tmp");
    const std::string cut = fs::path(SaveTempName("/x/" + std::string(250, 'a') + "\xC3\xA4\xC3\xA4.rdf")).filename().string();
    EXPECT_EQ(cut.find("\xC3~"), std::string::npos) << cut;
}

TEST_F(WholeFile, NextSaveTakesOverWhatAKilledSaveLeft)
{
    const std::string file = dir.Write("plant.rdf", "old");
    // A save killed half way leaves its temporary file, perhaps already read-only.
    const std::string left = dir.Write(fs::path(SaveTempName(file)).filename().string(), "half a fi");
    ::chmod(left.c_str(), 0444);
    WriteWholeFile(file, "new");
    EXPECT_EQ(TTempFolder::Read(file), "new");
    EXPECT_EQ(Names(), std::set<std::string> {"plant.rdf"});
}

TEST_F(WholeFile, KillsDuringSavesLoseNothingAndLeaveNothingBehind)
{
    const std::string file = dir.File("plant.rdf");
    const std::string first(200000, 'a');
    const std::string second(300000, 'b');
    WriteWholeFile(file, first);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                WriteWholeFile(file, i % 2 ? first : second);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 * round));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = TTempFolder::Read(file);
        EXPECT_TRUE(now == first || now == second) << "round " << round << ": " << now.size() << " bytes";
        WriteWholeFile(file, first);
        EXPECT_EQ(Names(), std::set<std::string> {"plant.rdf"}) << "round " << round;
    }
}

TEST_F(WholeFile, SavesFromTwoProcessesWaitForEachOther)
{
    const std::string file = dir.File("plant.rdf");
    std::vector<pid_t> children;
    for (char fill : {'x', 'y', 'z'}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                for (int i = 0; i < 40; ++i)
                    WriteWholeFile(file, std::string(100000 + 1000 * (fill - 'x'), fill));
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    const std::string now = TTempFolder::Read(file);
    ASSERT_FALSE(now.empty());
    EXPECT_EQ(now, std::string(100000 + 1000 * (now[0] - 'x'), now[0]));
    EXPECT_EQ(Names(), std::set<std::string> {"plant.rdf"});
}

TEST_F(WholeFile, FullDiskKeepsTheOldFileAndPage)
{
    const std::string file = dir.Write("plant.rdf", "old project");
    const std::string page = dir.Write("diagnosis.htm", "old page");
    {
        TFileSizeLimit full(4096);
        ExpectFileError([&] { WriteWholeFile(file, std::string(10000, 'n')); }, "Cannot write file \"" + file + "\".");
        ExpectFileError(
            [&] {
                TPageFile out(page);
                for (int i = 0; i < 1000; ++i)
                    out.Line("<p>a line of the page</p>");
                out.Close();
            },
            "Cannot write file \"" + page + "\".");
    }
    EXPECT_EQ(TTempFolder::Read(file), "old project");
    EXPECT_EQ(TTempFolder::Read(page), "old page");
    EXPECT_EQ(Names(), (std::set<std::string> {"diagnosis.htm", "plant.rdf"}));

    // A page never closed leaves the old one too.
    {
        TPageFile out(page);
        out.Line("unfinished");
    }
    EXPECT_EQ(TTempFolder::Read(page), "old page");
}

TEST_F(WholeFile, DevicesAreWrittenDirectlyFoldersAreRefused)
{
    WriteWholeFile("/dev/null", "gone"); // kelvora-cli diagnose plant.rdf /dev/stdout writes like this
    fs::create_directory(dir.File("folder"));
    ExpectFileError([&] { WriteWholeFile(dir.File("folder"), "x"); }, "Cannot create file \"" + dir.File("folder") + "\".");
    ExpectFileError([&] { WriteWholeFile(dir.File("no/such/x.rdf"), "x"); },
                    "Cannot create file \"" + dir.File("no/such/x.rdf") + "\".");
    EXPECT_EQ(Names(), std::set<std::string> {"folder"});
}
