// The one main of the test programs that need a Qt application object. Built
// three ways (tests/support/CMakeLists.txt):
//   KELVORA_TEST_GUI undefined: a QCoreApplication, for sockets and processes;
//   KELVORA_TEST_GUI: a QApplication on the offscreen platform (also when the
//     tests are listed without CTest's environment);
//   KELVORA_TEST_WINDOWS as well: the platform folders fixed to the scratch tree,
//     and any message box nobody expected fails the test.
// The per-user settings store always lies in the scratch tree, so that no test
// touches the user's own settings.
#include "tests/support/testmain.h"

#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>
#include <unistd.h>

#include <QSettings>
#include <QString>

#ifdef KELVORA_TEST_GUI
#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QCoreApplication>
using TTestApplication = QCoreApplication;
#endif

#ifdef KELVORA_TEST_WINDOWS
#include "env/platform.h"
#include "widgets/messages.h"
#endif

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
#ifdef KELVORA_TEST_GUI
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    const std::string settings = ScratchRoot() + "/settings";
    std::filesystem::create_directories(settings);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings));
#ifdef KELVORA_TEST_WINDOWS
    TPlatformInputs inputs;
    inputs.ProgramFile = ScratchRoot() + "/Zandrovel/Kelvora/kelvora";
    inputs.DocumentsFolder = ScratchRoot() + "/docs";
    StartPlatform(inputs);
    // A message box nobody expected would wait for a click that never comes.
    SetMessageHook([](const std::string& text) { ADD_FAILURE() << "unexpected message: " << text; });
#endif

    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(ScratchRoot(), ec);
    return result;
}
