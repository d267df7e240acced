#pragma once

#include <iosfwd>
#include <string>

#include "core/jsondoc.h"

// The settings module: the application variables (folders below the working
// directory, the product's name and version, who and where the program runs) and
// the settings document Kelvora.json, read at start and written at the end.

// The application variables, set once at start and read-only afterwards.
struct TAppVariables {
    std::string exe_name;           // full path of the program file
    std::string app_path;           // working directory at start, no trailing "/" (except "/")
    std::string data_path;          // app_path + "Data"
    std::string help_path;          // app_path + "Help"
    std::string images_path;        // app_path + "Images"
    std::string projects_path;      // app_path + "Projects"
    std::string report_path;        // app_path + "Report"
    std::string settings_file;      // app_path + "Kelvora.json"
    std::string app_name;           // product name of the version record: "Kelvora"
    std::string ver_num;            // file version of the version record: "1.2.0.0"
    std::string app_title;          // "Kelvora 1.2.0.0"
    std::string computer_user_name; // login name, "Unknown" when the system cannot tell
    std::string computer_name;      // network name, "Unknown" when the system cannot tell
    std::string local_ip_addr;      // last IPv4 address of the host name, empty when it does not resolve
};

// Who and where the program runs.
struct TMachineIdentity {
    std::string UserName;
    std::string ComputerName;
    std::string LocalIpAddr;
};
TMachineIdentity RunningMachineIdentity();

// What the variables are computed from. RunningGlobalInputs() gives the real ones.
struct TGlobalInputs {
    std::string ExeName;
    std::string WorkingDir;
    TMachineIdentity Machine;
};
TGlobalInputs RunningGlobalInputs();

// The fixed author of the settings document, under the company "Zandrovel".
inline constexpr const char* kSettingsAuthor = "Mara Lindqvist";
inline constexpr const char* kSettingsCompany = "Zandrovel";
inline constexpr const char* kSettingsFileName = "Kelvora.json";

// Start-up steps 1 to 4: the variables from the program file's version record
// (raises EVerInfoError when it has none) and the working directory.
TAppVariables MakeAppVariables(const TGlobalInputs& inputs);

// The document built when no usable settings file exists: "app", "ver", "author",
// "date", "Image", "MainForm", "MeasureForm", "Default", "Limits".
TJsonDoc DefaultSettingsDocument(const TAppVariables& vars);

// The settings file as a document: its first JSON value when that is an object,
// otherwise (missing, unreadable, damaged or not an object) the default document.
TJsonDoc LoadSettingsDocument(const TAppVariables& vars);

// Shut-down steps 1 to 3: the eleven variables, the author block and the date.
void PutAppVariables(TJsonDoc& doc, const TAppVariables& vars);

// Steps 1 to 3, then the document written to the settings file named in `vars`.
// Raises FileError when the file cannot be written.
void SaveSettingsDocument(TJsonDoc& doc, const TAppVariables& vars);

// The settings module of one run.
class TGlobal {
public:
    // Start-up: the variables, then the settings document.
    void Start(const TGlobalInputs& inputs);
    // Shut-down: puts the variables, author and date into the document and saves it
    // to the settings file fixed at start. A file that cannot be written is reported
    // in one line on `errors`; the run still ends normally. Returns whether it saved.
    bool Save(std::ostream& errors);
    bool Save();

    const TAppVariables& Vars() const { return Vars_; }
    TJsonDoc& Settings() { return Settings_; }
    const TJsonDoc& Settings() const { return Settings_; }

private:
    TAppVariables Vars_;
    TJsonDoc Settings_ = JsonNew();
};

// The running program's settings module.
TGlobal& uGlobal();
// The running program's application variables (uGlobal().Vars()).
const TAppVariables& AppVars();
