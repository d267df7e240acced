// Platform folders: the maker-folder rule, the user data folder, the documents
// folder, the program key and the web address.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/env/envtest.h"
#include "core/errors.h"
#include "env/platform.h"
#include "env/settingsstore.h"

namespace fs = std::filesystem;

TEST(MakerFolder, FollowsTheMakersNameOrMarkerInTheProgramFolder)
{
    struct Case {
        const char* programFolder;
        const char* maker;
    };
    const Case cases[] = {
        {"/opt/Zandrovel/Kelvora/", "/opt/Zandrovel/"},
        {"/home/ann/tools/ZANDROVEL/Kelvora/", "/home/ann/tools/Zandrovel/"},
        {"/home/ann/tools/zandrovel/Kelvora/", "/home/ann/tools/Zandrovel/"},
        {"/srv/ZandroVel/bin/Kelvora/", "/srv/Zandrovel/"},
        {"/home/ann/build/install/Zandrovel/Kelvora/", "/home/ann/build/install/Zandrovel/"},
        // The first occurrence counts, and the name wins over the marker.
        {"/data/zsw/Zandrovel/x/Zandrovel/", "/data/zsw/Zandrovel/"},
        {"/usr/local/ZSW/Kelvora/", "/usr/local/zsw/"},
        {"/usr/local/Zsw/Kelvora/", "/usr/local/zsw/"},
        // Neither: the place for installed programs.
        {"/home/ann/apps/Kelvora/", "/opt/Zandrovel/"},
        {"", "/opt/Zandrovel/"},
        // Letters outside ASCII before the name keep their bytes.
        {"/home/j\xC3\xBCrgen/Zandrovel/Kelvora/", "/home/j\xC3\xBCrgen/Zandrovel/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakerFolderOf(c.programFolder, "/opt/"), c.maker) << c.programFolder;
    EXPECT_EQ(MakerFolderOf("/home/ann/apps/Kelvora/", "/usr/programs"), "/usr/programs/Zandrovel/");
}

TEST(ProgramName, IsTheFileNameWithoutFolderAndExtension)
{
    EXPECT_EQ(ProgramNameOf("/opt/Zandrovel/Kelvora/kelvora"), "kelvora");
    EXPECT_EQ(ProgramNameOf("/opt/Zandrovel/Kelvora/Kelvora.exe"), "Kelvora");
    EXPECT_EQ(ProgramNameOf("/opt/Zandrovel/Kelvora/kelvora-cli"), "kelvora-cli");
    EXPECT_EQ(ProgramFolderOf("/opt/Zandrovel/Kelvora/kelvora"), "/opt/Zandrovel/Kelvora/");
    EXPECT_EQ(ProgramRegistryKeyOf("Kelvora"), "Software\\Zandrovel\\Kelvora");
}

TEST(PlatformFolders, ComputedFromTheProgramFileAndDocumentsFolder)
{
    const TTempFolder tmp;
    TPlatformInputs in;
    in.ProgramFile = tmp / "tools/ZANDROVEL/Kelvora/Kelvora";
    in.DocumentsFolder = tmp / "docs";
    const TPlatformFolders f = SetUpPlatformFolders(in);
    EXPECT_EQ(f.ProgramFilesFolder, "/opt/");
    EXPECT_EQ(f.ProgramName, "Kelvora");
    EXPECT_EQ(f.ProgramFolder, tmp / "tools/ZANDROVEL/Kelvora/");
    EXPECT_EQ(f.DocumentsFolder, tmp / "docs/");
    EXPECT_EQ(f.MakerFolder, tmp / "tools/Zandrovel/");
    EXPECT_EQ(f.CommonDataFolder, tmp / "tools/Zandrovel/Common Files/");
    // The user data folder is created with its missing parents.
    EXPECT_EQ(f.UserDataFolder, tmp / "docs/Zandrovel/Kelvora/");
    EXPECT_TRUE(fs::is_directory(f.UserDataFolder));
}

TEST(PlatformFolders, UserDataFolderFallsBackToTheProgramFolder)
{
    const TTempFolder tmp;
    fs::create_directories(tmp / "docs");
    TPlatformInputs in;
    in.ProgramFile = tmp / "apps/Kelvora/kelvora";
    in.DocumentsFolder = tmp / "docs";
    // A file where the maker's folder would go.
    WriteFile(tmp / "docs/Zandrovel", "not a folder");
    EXPECT_EQ(SetUpPlatformFolders(in).UserDataFolder, tmp / "apps/Kelvora/");

    // A documents folder that cannot be written (unless the rights ignore permissions).
    fs::remove(tmp / "docs/Zandrovel");
    ::chmod((tmp / "docs").c_str(), 0500);
    if (::access((tmp / "docs").c_str(), W_OK) != 0) {
        EXPECT_EQ(SetUpPlatformFolders(in).UserDataFolder, tmp / "apps/Kelvora/");
    }
}

TEST(PlatformFolders, NoDocumentsFolderStopsTheStart)
{
    TPlatformInputs in;
    in.ProgramFile = "/opt/Zandrovel/Kelvora/kelvora";
    try {
        SetUpPlatformFolders(in);
        FAIL() << "started without a documents folder";
    } catch (const KelvoraError& e) {
        EXPECT_STREQ(e.what(), "Could not find My Documents folder location.");
    }
}

TEST(PlatformStart, WebAddressFromTheUserInformationOrTheDefault)
{
    const TTempFolder tmp;
    TPlatformInputs in;
    in.ProgramFile = tmp / "Zandrovel/Kelvora/kelvora";
    in.DocumentsFolder = tmp / "docs";

    StartPlatform(in);
    EXPECT_EQ(WebAddress(), "www.zandrovel.example");
    EXPECT_EQ(CommonDataFolder(), tmp / "Zandrovel/Common Files/");
    EXPECT_EQ(ProgramRegistryKey(), "Software\\Zandrovel\\kelvora");

    TSettingsStore(kUserInfoKey).WriteString(kUserInfoSection, "web", "service.example.org");
    StartPlatform(in);
    EXPECT_EQ(WebAddress(), "service.example.org");
}
