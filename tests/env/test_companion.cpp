// Companion programs: the two refusals, a start with an argument list, and the
// hand-over of the argument text to a running instance.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <unistd.h>

#include <QProcess>

#include "env/companion.h"
#include "tests/env/envtest.h"

namespace fs = std::filesystem;

namespace {

struct TMessages {
    std::vector<std::string> Shown;
    TMessageHook Recorder()
    {
        return [this](const std::string& m) { Shown.push_back(m); };
    }
};

// Waits for a file that a started program writes (programs started detached end on their own).
bool WaitForFile(const std::string& path)
{
    for (int i = 0; i < 200 && !fs::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return fs::exists(path);
}

std::string Unique(const std::string& stem)
{
    return stem + "-" + std::to_string(::getpid());
}

} // namespace

TEST(LaunchCompanion, RefusesAPathThatIsNoProgramOrIsMissing)
{
    const TTempFolder tmp;
    // Would leave a mark if it ever ran.
    const std::string script = tmp / "mollier";
    WriteFile(script, "#!/bin/sh\ntouch \"$0.ran\"\n");
    fs::create_directory(tmp / "folder");

    struct Case {
        std::string path;
        TLaunchOutcome outcome;
        std::string message;
    };
    const Case cases[] = {
        {script, loNotExecutable, script + "\r\nProgram not executable..."},
        {tmp / "folder", loNotExecutable, (tmp / "folder") + "\r\nProgram not executable..."},
        {tmp / "missing", loNotFound, (tmp / "missing") + "\rnot found..."},
        {"", loNotFound, "\rnot found..."},
    };
    for (const auto& c : cases) {
        TMessages messages;
        EXPECT_EQ(LaunchCompanion(c.path, "1 0.721", messages.Recorder()), c.outcome) << c.path;
        EXPECT_EQ(messages.Shown, std::vector<std::string> {c.message}) << c.path;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(fs::exists(script + ".ran"));
}

TEST(LaunchCompanion, StartsTheProgramWithTheTextAsArgumentsAndNoShell)
{
    const TTempFolder tmp;
    const std::string program = tmp / (Unique("recorder") + ".sh");
    const std::string out = tmp / "args.txt";
    WriteScript(program, "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + out + ".part\"\nmv \"" + out + ".part\" \"" + out + "\"\n");

    TMessages messages;
    EXPECT_EQ(LaunchCompanion(program, "2 0.721 \"R 404A\" $HOME;touch x", messages.Recorder()), loStarted);
    EXPECT_TRUE(messages.Shown.empty());
    ASSERT_TRUE(WaitForFile(out));
    EXPECT_EQ(ReadFile(out), "2\n0.721\nR 404A\n$HOME;touch\nx\n");
    EXPECT_FALSE(fs::exists(tmp / "x"));

    fs::remove(out);
    EXPECT_EQ(LaunchCompanion(program, "", messages.Recorder()), loStarted);
    ASSERT_TRUE(WaitForFile(out));
    EXPECT_EQ(ReadFile(out), "");
}

TEST(LaunchCompanion, HandsTheTextToARunningInstance)
{
    const TTempFolder tmp;
    // The listener under a name of its own, so that no other run's instance answers.
    const std::string program = tmp / Unique("kelvora-test-companion");
    fs::copy_file(KELVORA_LISTENER_FILE, program);
    fs::permissions(program, fs::perms::owner_all, fs::perm_options::replace);
    const std::string out = tmp / "received.bin";

    QProcess listener;
    listener.start(QString::fromStdString(program), {QString::fromStdString(out)});
    ASSERT_TRUE(listener.waitForStarted(10000));
    ASSERT_TRUE(listener.waitForReadyRead(10000)) << listener.readAllStandardError().toStdString();
    ASSERT_EQ(listener.readLine().trimmed().toStdString(), "ready");

    const std::string text = "3 0.721 5.000 45.000 7.50 5.00";
    TMessages messages;
    EXPECT_EQ(LaunchCompanion(program, text, messages.Recorder()), loHandedOver);
    EXPECT_TRUE(messages.Shown.empty());
    ASSERT_TRUE(listener.waitForFinished(10000));
    EXPECT_EQ(listener.exitCode(), 0) << listener.readAllStandardError().toStdString();

    // The parameter 3, then the block: the length as 32-bit little endian, then the bytes.
    const std::string expected = std::string("\x03\0\0\0", 4) + std::string("\x1e\0\0\0", 4) + text;
    EXPECT_EQ(ReadFile(out), expected);
}

TEST(LaunchCompanion, HandOverMessageParsesOnlyWhenComplete)
{
    const QByteArray message = HandOverMessage("1 2");
    ASSERT_EQ(message.size(), 11);
    EXPECT_FALSE(ParseHandOver(message.left(10)));
    EXPECT_FALSE(ParseHandOver(message.left(7)));
    const auto h = ParseHandOver(message);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->Param, 3u);
    EXPECT_EQ(h->Text, "1 2");
    // A length beyond what arrived never reads past the bytes.
    EXPECT_FALSE(ParseHandOver(QByteArray("\x03\0\0\0\xff\xff\xff\xff"
                                          "abc",
                                          11)));
}
