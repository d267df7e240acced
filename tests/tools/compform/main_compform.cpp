// The selector tests run inside one QApplication on the offscreen platform, with
// the platform folders in a scratch tree and the settings store in a temporary
// folder instead of the user's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#include <QApplication>
#include <QSettings>

#include "messages.h"
#include "platform.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("kelvora-compform-" + std::to_string(::getpid()));
    const fs::path settings = root / "settings";
    fs::create_directories(settings);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings.string()));
    TPlatformInputs inputs;
    inputs.ProgramFile = (root / "Zandrovel/Kelvora/kelvora").string();
    inputs.DocumentsFolder = (root / "docs").string();
    StartPlatform(inputs);
    // A message box nobody expected would wait for a click that never comes.
    SetMessageHook([](const std::string& text) { ADD_FAILURE() << "unexpected message: " << text; });

    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    fs::remove_all(root, ec);
    return result;
}
