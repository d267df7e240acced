#pragma once

#include <string>

// Where the program and the maker's shared data live, fixed once at start.
// Every folder ends with "/". The values are computed from plain inputs (the
// program file, the documents folder, the folder for installed programs), so
// that an installation tree in any folder can be checked without running there.

// What the folders are computed from. RunningPlatformInputs() gives the real ones.
struct TPlatformInputs {
    std::string ProgramFile;     // full path of the program file
    std::string DocumentsFolder; // the user's documents folder; empty when unknown
    std::string ProgramFilesFolder = "/opt/";
};

struct TPlatformFolders {
    std::string ProgramFilesFolder;
    std::string ProgramName; // file name without folder and extension, no separator
    std::string ProgramFolder;
    std::string DocumentsFolder;
    std::string UserDataFolder; // documents/Zandrovel/<program name>/, or the program folder
    std::string MakerFolder;
    std::string CommonDataFolder; // MakerFolder + "Common Files/"
};

inline constexpr const char* kMakerName = "Zandrovel";
inline constexpr const char* kMakerMarker = "ZSW"; // the maker's older folder marker
inline constexpr const char* kDefaultWebAddress = "www.zandrovel.example";
inline constexpr const char* kNoDocumentsFolder = "Could not find My Documents folder location.";

// Per-user settings keys. The program key ends with the program name.
inline constexpr const char* kCommonRegistryKey = "Software\\Zandrovel\\Common\\";
inline constexpr const char* kUserInfoKey = "Software\\";
inline constexpr const char* kUserInfoSection = "Zandrovel";
std::string ProgramRegistryKeyOf(const std::string& programName);

// The running program's file (resolved through links) and documents folder.
std::string RunningProgramFile();
TPlatformInputs RunningPlatformInputs();

// "/opt/Zandrovel/Kelvora/kelvora" gives "kelvora" and "/opt/Zandrovel/Kelvora/".
std::string ProgramNameOf(const std::string& programFile);
std::string ProgramFolderOf(const std::string& programFile);

// The folder of the maker's installations: the program folder's text before the
// first "ZANDROVEL" (any case) followed by "Zandrovel/"; else before the first
// "ZSW" followed by "zsw/"; else the Program Files folder followed by "Zandrovel/".
std::string MakerFolderOf(const std::string& programFolder, const std::string& programFilesFolder);

// Computes every folder and creates the user data folder with its parents (the
// program folder stands in when that fails). Raises KelvoraError with
// kNoDocumentsFolder when the documents folder is unknown.
TPlatformFolders SetUpPlatformFolders(const TPlatformInputs& inputs);

// The running program's start-up step: folders, then the web address from the
// user information. Raises like SetUpPlatformFolders; the values stay for the run.
void StartPlatform(const TPlatformInputs& inputs);
void StartPlatform();

// The values fixed by StartPlatform (started with the real inputs on first use).
const TPlatformFolders& PlatformFolders();
const std::string& MakerFolder();
const std::string& CommonDataFolder();
std::string ProgramRegistryKey();
// The maker's web address from the user information ("web"), or kDefaultWebAddress.
const std::string& WebAddress();
