#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/errors.h"

// The version record that the build embeds in every program file
// (kelvora_embed_version in VersionRecord.cmake), read back from the file on disk.
//
// The record is text: the marker line, then "name=value" lines, ended by a zero byte.
//   Translation=040904B0                        language and code page, four hex digits each
//   FixedFileVersion=1.2.0.0                    the fixed file version, four 16-bit numbers
//   \StringFileInfo\040904B0\ProductName=Kelvora  string values of that translation
inline constexpr const char* kVersionRecordMarker = "KELVORA-VERSION-RECORD";

// The record cannot be read, or has no translation table.
class EVerInfoError : public KelvoraError {
public:
    using KelvoraError::KelvoraError;
};
// The file carries no version record.
class ENoVerInfoError : public EVerInfoError {
public:
    using EVerInfoError::EVerInfoError;
};
// The record lacks its fixed part (the file version numbers).
class eNoFixeVerInfo : public EVerInfoError {
public:
    using EVerInfoError::EVerInfoError;
};

class TVerInfoRes {
public:
    // Reads the record of a program file. Raises ENoVerInfoError "No Version Info
    // Available.", EVerInfoError "Cannot obtain version info." or "No language info.",
    // or eNoFixeVerInfo "No fixed file info".
    explicit TVerInfoRes(const std::string& fileName);

    const std::string& FileName() const { return FileName_; }
    const std::string& Data() const { return Data_; } // the raw record after the marker line
    uint16_t Language() const { return Language_; }
    uint16_t CodePage() const { return CodePage_; }
    uint32_t FileVersionMS() const { return FileVersionMS_; } // major << 16 | minor
    uint32_t FileVersionLS() const { return FileVersionLS_; } // release << 16 | build

    // The four fixed numbers as "%d.%d.%d.%d".
    std::string FileVersion() const;
    // A string value of the first translation ("ProductName", "FileVersion", ...):
    // the text under "\StringFileInfo\<language><code page>\<name>", empty when absent.
    std::string GetString(const std::string& name) const;
    // The text under a full sub-block path, empty when absent.
    std::string Query(const std::string& subBlock) const;

private:
    std::string FileName_;
    std::string Data_;
    std::vector<std::pair<std::string, std::string>> Values_;
    uint16_t Language_ = 0;
    uint16_t CodePage_ = 0;
    uint32_t FileVersionMS_ = 0;
    uint32_t FileVersionLS_ = 0;
};

// The standard value names of a version record's string table.
extern const char* const kVerInfoValueNames[10];

std::string FileVersionOf(const std::string& fileName);
std::string ProductNameOf(const std::string& fileName);
// Product name, one blank, file version: "Kelvora 1.2.0.0".
std::string ProductTitleOf(const std::string& fileName);
