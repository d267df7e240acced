// The window tests of the valve selector and the liquid line window run inside
// one QApplication on the offscreen platform, with the per-user settings store
// and the platform folders in a scratch folder, so that no test touches the
// user's own settings or documents.
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
    const fs::path root = fs::temp_directory_path() / ("kelvora-txvalveform-" + std::to_string(::getpid()));
    fs::create_directories(root / "settings");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString((root / "settings").string()));
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
