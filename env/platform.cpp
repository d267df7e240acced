#include "env/platform.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include <QCoreApplication>
#include <QStandardPaths>

#include "core/errors.h"
#include "core/numtext.h"
#include "env/settingsstore.h"

namespace fs = std::filesystem;

namespace {

std::string WithSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// Upper case of ASCII letters only: every other byte stays, so a position found in
// the result is the same position in the original UTF-8 text.
std::string AsciiUpper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

struct TPlatformState {
    TPlatformFolders Folders;
    std::string WebAddress;
};

std::optional<TPlatformState>& State()
{
    static std::optional<TPlatformState> state;
    return state;
}

const TPlatformState& Started()
{
    if (!State())
        StartPlatform();
    return *State();
}

} // namespace

std::string ProgramRegistryKeyOf(const std::string& programName)
{
    return std::string("Software\\") + kMakerName + "\\" + programName;
}

std::string RunningProgramFile()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath().toStdString();
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.string();
}

TPlatformInputs RunningPlatformInputs()
{
    TPlatformInputs inputs;
    inputs.ProgramFile = RunningProgramFile();
    inputs.DocumentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    return inputs;
}

std::string ProgramNameOf(const std::string& programFile)
{
    const std::string name = fs::path(programFile).filename().string();
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string ProgramFolderOf(const std::string& programFile)
{
    const size_t slash = programFile.rfind('/');
    return slash == std::string::npos ? std::string() : programFile.substr(0, slash + 1);
}

std::string MakerFolderOf(const std::string& programFolder, const std::string& programFilesFolder)
{
    const std::string upper = AsciiUpper(programFolder);
    const std::string maker = AsciiUpper(kMakerName);
    if (const size_t at = upper.find(maker); at != std::string::npos)
        return programFolder.substr(0, at) + kMakerName + "/";
    if (const size_t at = upper.find(kMakerMarker); at != std::string::npos)
        return programFolder.substr(0, at) + LowerCase(kMakerMarker) + "/";
    return WithSeparator(programFilesFolder) + kMakerName + "/";
}

TPlatformFolders SetUpPlatformFolders(const TPlatformInputs& inputs)
{
    TPlatformFolders f;
    f.ProgramFilesFolder = WithSeparator(inputs.ProgramFilesFolder);
    f.ProgramName = ProgramNameOf(inputs.ProgramFile);
    f.ProgramFolder = ProgramFolderOf(inputs.ProgramFile);
    if (inputs.DocumentsFolder.empty())
        throw KelvoraError(kNoDocumentsFolder);
    f.DocumentsFolder = WithSeparator(inputs.DocumentsFolder);

    f.UserDataFolder = f.DocumentsFolder + kMakerName + "/" + f.ProgramName + "/";
    std::error_code ec;
    fs::create_directories(f.UserDataFolder, ec);
    if (ec || !fs::is_directory(f.UserDataFolder, ec))
        f.UserDataFolder = f.ProgramFolder;

    f.MakerFolder = MakerFolderOf(f.ProgramFolder, f.ProgramFilesFolder);
    f.CommonDataFolder = f.MakerFolder + "Common Files/";
    return f;
}

void StartPlatform(const TPlatformInputs& inputs)
{
    TPlatformState state;
    state.Folders = SetUpPlatformFolders(inputs);
    state.WebAddress = TSettingsStore(kUserInfoKey).ReadString(kUserInfoSection, "web", kDefaultWebAddress);
    State() = std::move(state);
}

void StartPlatform()
{
    StartPlatform(RunningPlatformInputs());
}

const TPlatformFolders& PlatformFolders()
{
    return Started().Folders;
}

const std::string& MakerFolder()
{
    return Started().Folders.MakerFolder;
}

const std::string& CommonDataFolder()
{
    return Started().Folders.CommonDataFolder;
}

std::string ProgramRegistryKey()
{
    return ProgramRegistryKeyOf(Started().Folders.ProgramName);
}

const std::string& WebAddress()
{
    return Started().WebAddress;
}
