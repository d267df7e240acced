// Test main of the environment tests: a Qt application object for sockets and
// processes, and a settings store in a temporary folder instead of the user's own.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>
#include <unistd.h>

#include <QSettings>
#include <QString>

#ifdef KELVORA_TEST_WIDGETS
#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QCoreApplication>
using TTestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
#ifdef KELVORA_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    TTestApplication app(argc, argv);
    namespace fs = std::filesystem;
    const fs::path settings = fs::temp_directory_path() / ("kelvora-env-settings-" + std::to_string(::getpid()));
    fs::create_directories(settings);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settings.string()));

    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    fs::remove_all(settings, ec);
    return result;
}
