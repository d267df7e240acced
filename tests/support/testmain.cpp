// The window tests run inside one QApplication on the offscreen platform. The
// platform folders and the per-user settings store are fixed to a scratch tree,
// so that no test touches the user's documents or settings and the maker's
// folder is one the tests fill.
#include "tests/support/windowtest.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

#include <QSettings>

#include "widgets/messages.h"
#include "env/platform.h"

std::string ScratchRoot()
{
    static const std::string root =
        (std::filesystem::temp_directory_path() /
         ("kelvora-" + QCoreApplication::applicationName().toStdString() + "-" + std::to_string(::getpid())))
            .string();
    return root;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    const std::string settings = ScratchRoot() + "/settings";
    std::filesystem::create_directories(settings);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings));
    TPlatformInputs inputs;
    inputs.ProgramFile = ScratchRoot() + "/Zandrovel/Kelvora/kelvora";
    inputs.DocumentsFolder = ScratchRoot() + "/docs";
    StartPlatform(inputs);
    // A message box nobody expected would wait for a click that never comes.
    SetMessageHook([](const std::string& text) { ADD_FAILURE() << "unexpected message: " << text; });

    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(ScratchRoot(), ec);
    return result;
}
