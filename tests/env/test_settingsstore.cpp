// The per-user settings store: typed values with defaults, and where keys land.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSettings>

#include "tests/env/envtest.h"
#include "env/platform.h"
#include "env/settingsstore.h"

namespace {

std::string StoreFile(const char* organisation, const char* application)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, organisation, application).fileName().toStdString();
}

} // namespace

TEST(SettingsStore, ValuesRoundTripAndAbsentOnesGiveTheDefault)
{
    const TSettingsStore store(ProgramRegistryKeyOf("StoreTest"));
    store.WriteInteger("Settings", "Count", -42);
    store.WriteBool("Settings", "Flag", true);
    store.WriteFloat("Settings", "CompressorTe", -7.25);
    store.WriteString("Settings", "Name", "R404A @ 5 \xC2\xB0"
                                          "C");

    EXPECT_EQ(store.ReadInteger("Settings", "Count", 0), -42);
    EXPECT_TRUE(store.ReadBool("Settings", "Flag", false));
    EXPECT_DOUBLE_EQ(store.ReadFloat("Settings", "CompressorTe", 0), -7.25);
    EXPECT_EQ(store.ReadString("Settings", "Name", ""), "R404A @ 5 \xC2\xB0"
                                                        "C");

    EXPECT_EQ(store.ReadInteger("Settings", "Absent", 17), 17);
    EXPECT_TRUE(store.ReadBool("Settings", "Absent", true));
    EXPECT_DOUBLE_EQ(store.ReadFloat("Other", "CompressorTe", 1.5), 1.5);
    EXPECT_EQ(store.ReadString("Settings", "Absent", "def"), "def");
    EXPECT_FALSE(store.ValueExists("Settings", "Absent"));
    EXPECT_TRUE(store.ValueExists("Settings", "Count"));

    // A value of the wrong kind reads as the default.
    EXPECT_EQ(store.ReadInteger("Settings", "Name", 5), 5);
    EXPECT_DOUBLE_EQ(store.ReadFloat("Settings", "Name", 2.5), 2.5);
    EXPECT_TRUE(store.ReadBool("Settings", "Name", true));
    // A stored integer reads as a real and as a boolean.
    EXPECT_DOUBLE_EQ(store.ReadFloat("Settings", "Count", 0), -42);
    EXPECT_TRUE(store.ReadBool("Settings", "Count", false));
}

TEST(SettingsStore, KeysAndSectionsMapToOrganisationApplicationAndGroup)
{
    TSettingsStore(ProgramRegistryKeyOf("MapTest")).WriteFloat("LiquidLineForm", "Length", 12.5);
    TSettingsStore(kCommonRegistryKey).WriteInteger("Compressor", "UnitsTemp", 1);
    TSettingsStore(kUserInfoKey).WriteString(kUserInfoSection, "web", "www.example.net");

    const std::string program = StoreFile("Zandrovel", "MapTest");
    const std::string common = StoreFile("Zandrovel", "Common");
    const std::string user = StoreFile("Zandrovel", "");
    EXPECT_TRUE(program.ends_with("/Zandrovel/MapTest.conf")) << program;
    EXPECT_TRUE(common.ends_with("/Zandrovel/Common.conf")) << common;
    EXPECT_TRUE(user.ends_with("/Zandrovel.conf")) << user;

    // Reals are written with a decimal point whatever the locale.
    EXPECT_NE(ReadFile(program).find("[LiquidLineForm]\nLength=12.5\n"), std::string::npos) << ReadFile(program);
    EXPECT_NE(ReadFile(common).find("[Compressor]\nUnitsTemp=1\n"), std::string::npos) << ReadFile(common);
    EXPECT_NE(ReadFile(user).find("web=www.example.net"), std::string::npos) << ReadFile(user);
    EXPECT_EQ(TSettingsStore("Software\\Zandrovel").ReadString("", "web", ""), "www.example.net");
}
