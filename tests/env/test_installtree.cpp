// The installation tree: the program below the maker's folder finds the common
// data beside it and carries its version record.
#include <gtest/gtest.h>

#include <filesystem>

#include <QProcess>

#include "tests/env/envtest.h"
#include "env/platform.h"
#include "env/verinfo.h"

namespace fs = std::filesystem;

TEST(InstallTree, ProgramFindsTheCommonDataBesideIt)
{
    const TTempFolder tmp;
    const std::string prefix = tmp / "prefix";
    QProcess install;
    install.start(KELVORA_CMAKE_COMMAND, {"--install", KELVORA_BUILD_DIR, "--prefix", QString::fromStdString(prefix)});
    ASSERT_TRUE(install.waitForFinished(120000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();

    const std::string programFolder = prefix + "/Zandrovel/Kelvora/";
    for (const char* folder : {"Images", "Help", "Projects", "Report"})
        EXPECT_TRUE(fs::is_directory(programFolder + folder)) << folder;
    const std::string cli = programFolder + "kelvora-cli";
    ASSERT_TRUE(fs::exists(cli));
    EXPECT_EQ(ProductTitleOf(cli), "Kelvora 1.2.0.0");

    TPlatformInputs in;
    in.ProgramFile = cli;
    in.DocumentsFolder = tmp / "docs";
    const TPlatformFolders folders = SetUpPlatformFolders(in);
    EXPECT_EQ(folders.MakerFolder, prefix + "/Zandrovel/");
    EXPECT_TRUE(fs::is_regular_file(folders.CommonDataFolder + "RefLib8.rdf")) << folders.CommonDataFolder;

    // The run command: from the program's folder.
    QProcess run;
    run.setWorkingDirectory(QString::fromStdString(programFolder));
    run.start(QString::fromStdString(cli), {"props", "R22", "0", "--library", "../Common Files/RefLib8.rdf"});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_TRUE(run.readAllStandardOutput().contains("Saturation Pressure = "));

    // The Mollier chart in its own folder, where the main window's Tools menu looks,
    // finds the same library: position 9 exists only in the shipped list.
    const std::string chart = prefix + "/Zandrovel/Mollier Chart/mollierchart";
    ASSERT_TRUE(fs::exists(chart));
    EXPECT_EQ(ProductTitleOf(chart), "Kelvora 1.2.0.0");
    QProcess points;
    points.start(QString::fromStdString(chart), {"--points", "9 0.70 -5.000 40.000 6.00 4.00"});
    ASSERT_TRUE(points.waitForFinished(30000));
    EXPECT_EQ(points.exitCode(), 0) << points.readAllStandardError().toStdString();
    EXPECT_EQ(points.readAllStandardOutput().count('\n'), 4);

    // The line sizing companion beside it, where the Tools menu looks for it; it
    // takes no argument text.
    const std::string linesize = prefix + "/Zandrovel/Line Size/linesize";
    ASSERT_TRUE(fs::exists(linesize));
    EXPECT_EQ(ProductTitleOf(linesize), "Kelvora 1.2.0.0");
    QProcess refused;
    refused.start(QString::fromStdString(linesize), {"some", "text"});
    ASSERT_TRUE(refused.waitForFinished(30000));
    EXPECT_EQ(refused.exitCode(), 2);
    EXPECT_TRUE(refused.readAllStandardError().contains("Usage: linesize"));
}
