// The version record embedded in the program files, read back from disk.
#include <gtest/gtest.h>

#include <functional>

#include "tests/env/envtest.h"
#include "env/verinfo.h"

namespace {

// Bytes around a record, as a linker would place them. The marker is joined at
// run time so that this test program carries no record of its own.
std::string InBinary(const std::string& recordLines)
{
    return std::string("\x7f"
                       "ELF\x02\x01\0\0garbage",
                       16) +
        std::string(kVersionRecordMarker) + "\n" + recordLines +
        std::string("\0more bytes\0", 12);
}

const std::string kGoodLines =
    "Translation=040904B0\n"
    "FixedFileVersion=1.2.0.0\n"
    "\\StringFileInfo\\040904B0\\ProductName=Kelvora\n"
    "\\StringFileInfo\\040904B0\\CompanyName=Zandrovel\n";

} // namespace

TEST(VersionRecord, BuiltProgramCarriesProductNameAndVersion)
{
    EXPECT_EQ(ProductTitleOf(KELVORA_CLI_FILE), "Kelvora 1.2.0.0");
    EXPECT_EQ(ProductNameOf(KELVORA_CLI_FILE), "Kelvora");
    EXPECT_EQ(FileVersionOf(KELVORA_CLI_FILE), "1.2.0.0");

    const TVerInfoRes info(KELVORA_CLI_FILE);
    EXPECT_EQ(info.FileVersionMS(), 0x00010002u);
    EXPECT_EQ(info.FileVersionLS(), 0x00000000u);
    EXPECT_EQ(info.Language(), 0x0409);
    EXPECT_EQ(info.CodePage(), 0x04B0);
    EXPECT_EQ(info.GetString("CompanyName"), "Zandrovel");
    EXPECT_EQ(info.GetString("OriginalFilename"), "kelvora-cli");
    EXPECT_EQ(info.GetString("FileVersion"), "1.2.0.0");
    EXPECT_EQ(info.GetString("Comments"), "");
    for (const char* name : kVerInfoValueNames)
        EXPECT_EQ(info.GetString(name), info.Query(std::string("\\StringFileInfo\\040904B0\\") + name)) << name;
}

TEST(VersionRecord, ReadFromAnyFileThatHoldsOne)
{
    const TTempFolder tmp;
    WriteFile(tmp / "prog", InBinary("Translation=040704E4 040904B0\n"
                                     "FixedFileVersion=65535.7.300.4\n"
                                     "\\StringFileInfo\\040704E4\\ProductName=Name = with sign\r\n"
                                     "\\StringFileInfo\\040904B0\\ProductName=Second\n"));
    EXPECT_EQ(ProductTitleOf(tmp / "prog"), "Name = with sign 65535.7.300.4");
    EXPECT_EQ(TVerInfoRes(tmp / "prog").Language(), 0x0407);
}

TEST(VersionRecord, FailuresNameWhatIsMissing)
{
    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
        std::function<bool(const EVerInfoError&)> kind;
    };
    const auto isNoInfo = [](const EVerInfoError& e) { return dynamic_cast<const ENoVerInfoError*>(&e) != nullptr; };
    const auto isNoFixed = [](const EVerInfoError& e) { return dynamic_cast<const eNoFixeVerInfo*>(&e) != nullptr; };
    const auto isPlain = [&](const EVerInfoError& e) { return !isNoInfo(e) && !isNoFixed(e); };
    const std::string marker(kVersionRecordMarker);
    const Case cases[] = {
        {"no record", "plain bytes without a record", "No Version Info Available.", isNoInfo},
        {"marker not followed by a record", marker + std::string("\0", 1) + marker + "-END", "No Version Info Available.",
         isNoInfo},
        {"record never ends", marker + "\n" + kGoodLines, "Cannot obtain version info.", isPlain},
        {"line without a value", InBinary(kGoodLines + "garbage line\n"), "Cannot obtain version info.", isPlain},
        {"no translation", InBinary("FixedFileVersion=1.2.0.0\n"), "No language info.", isPlain},
        {"bad translation", InBinary("Translation=0409\nFixedFileVersion=1.2.0.0\n"), "No language info.", isPlain},
        {"no fixed part", InBinary("Translation=040904B0\n"), "No fixed file info", isNoFixed},
        {"short fixed part", InBinary("Translation=040904B0\nFixedFileVersion=1.2.0\n"), "No fixed file info", isNoFixed},
        {"fixed part out of range", InBinary("Translation=040904B0\nFixedFileVersion=1.65536.0.0\n"),
         "No fixed file info", isNoFixed},
    };
    const TTempFolder tmp;
    for (const auto& c : cases) {
        WriteFile(tmp / "prog", c.bytes);
        try {
            TVerInfoRes info(tmp / "prog");
            ADD_FAILURE() << c.what << ": read without error";
        } catch (const EVerInfoError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.what;
            EXPECT_TRUE(c.kind(e)) << c.what;
        }
    }
    EXPECT_THROW(TVerInfoRes(tmp / "missing"), ENoVerInfoError);
    EXPECT_THROW(TVerInfoRes(tmp.Path().string()), ENoVerInfoError);
    // This test program holds the reading code with its marker, but no record.
    EXPECT_THROW(TVerInfoRes("/proc/self/exe"), ENoVerInfoError);
}
