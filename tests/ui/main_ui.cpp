// The window tests run inside one QApplication on the offscreen platform. The
// platform folders are fixed to a scratch tree, so that no test touches the
// user's documents folder and the maker's folder is one the tests fill.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include <QApplication>

#include "messages.h"
#include "platform.h"
#include "uitest.h"

std::string ScratchRoot()
{
    static const std::string root =
        (std::filesystem::temp_directory_path() / ("kelvora-ui-" + std::to_string(::getpid()))).string();
    return root;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    TPlatformInputs inputs;
    inputs.ProgramFile = ScratchRoot() + "/Zandrovel/Kelvora/kelvora";
    inputs.DocumentsFolder = ScratchRoot() + "/docs";
    StartPlatform(inputs);
    // A message box nobody expected would wait for a click that never comes.
    SetMessageHook([](const std::string& text) { ADD_FAILURE() << "unexpected message: " << text; });

    const int result = RUN_ALL_TESTS();
    std::filesystem::remove_all(ScratchRoot());
    return result;
}
