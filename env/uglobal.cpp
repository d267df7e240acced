#include "env/uglobal.h"

#include <filesystem>
#include <iostream>
#include <system_error>

#include "core/errors.h"
#include "env/machineid.h"
#include "core/pathjoin.h"
#include "env/platform.h"
#include "env/verinfo.h"

namespace {

struct TFormDefault {
    const char* Key;
    TFormBounds Bounds; // Left, Top, Width, Height
};

const TFormDefault kFormDefaults[] = {
    {"MainForm", {144, 61, 688, 563}},
    {"MeasureForm", {14, 147, 275, 288}},
};

struct TCycleDefault {
    const char* Key;
    double Value;
};

// A solved R22 cycle at 5 degC evaporating and 45 degC condensing for 1 kg/s, in the
// cycle model's internal units. Written to the file, never read back.
const TCycleDefault kCycleDefaults[] = {
    {"HP", 1731.516},
    {"LP", 584.253},
    {"SDT", 45},
    {"SST", 5},
    {"te", 5},
    {"tc", 45},
    {"sh", 7.5},
    {"sc", 5},
    {"ts", 12.5},
    {"td", 82},
    {"tl", 40},
    {"dte", 6},
    {"dta", 10},
    {"itde", 18},
    {"itdc", 10},
    {"COP", 4.171},
    {"x4", 0.218},
    {"qe", 162.754},
    {"qc", 201.778},
    {"pw", 39.024},
    {"mr", 1},
    {"h1", 412.508},
    {"h2", 451.532},
    {"h2i", 440.629},
    {"h3", 249.754},
    {"h4b", 205.838},
    {"Ie", 0.721},
};

struct TLimitDefault {
    const char* Key;
    bool HasMin;
    double Min;
    double Max;
};

// Value ranges of the file format; diagnosis keeps its own limits.
const TLimitDefault kLimitDefaults[] = {
    {"dte", true, 2, 20},
    {"dtc", true, 2, 20},
    {"SST", true, -20, 15},
    {"SDT", true, 35, 70},
    {"COP", true, 1, 30},
    {"x4", true, 0.001, 1},
    {"td", false, 0, 400},
    {"sh", true, 0, 20},
    {"sc", true, 0, 20},
    {"Pr", true, 1, 10},
    {"Ie", true, 0.1, 1},
    {"itde", true, 5, 30},
    {"itdc", true, 5, 30},
    {"dtsl", true, 0, 1},
};

// The variables written at every save, under their own names.
struct TSavedVariable {
    const char* Name;
    std::string TAppVariables::*Member;
};
const TSavedVariable kSavedVariables[] = {
    {"app_path", &TAppVariables::app_path},
    {"data_path", &TAppVariables::data_path},
    {"help_path", &TAppVariables::help_path},
    {"images_path", &TAppVariables::images_path},
    {"projects_path", &TAppVariables::projects_path},
    {"report_path", &TAppVariables::report_path},
    {"app_name", &TAppVariables::app_name},
    {"ver_num", &TAppVariables::ver_num},
    {"computer_user_name", &TAppVariables::computer_user_name},
    {"computer_name", &TAppVariables::computer_name},
    {"local_ip_addr", &TAppVariables::local_ip_addr},
};

std::string WithoutTrailingSeparator(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

TMachineIdentity RunningMachineIdentity()
{
    return {ComputerUserName(), ComputerName(), LocalIpAddr()};
}

TGlobalInputs RunningGlobalInputs()
{
    TGlobalInputs inputs;
    inputs.ExeName = RunningProgramFile();
    std::error_code ec;
    inputs.WorkingDir = std::filesystem::current_path(ec).string();
    inputs.Machine = RunningMachineIdentity();
    return inputs;
}

TAppVariables MakeAppVariables(const TGlobalInputs& inputs)
{
    TAppVariables v;
    v.exe_name = inputs.ExeName;

    const TVerInfoRes info(v.exe_name);
    v.app_name = info.GetString("ProductName");
    v.ver_num = info.FileVersion();
    v.app_title = v.app_name + " " + v.ver_num;

    v.computer_user_name = inputs.Machine.UserName.empty() ? "Unknown" : inputs.Machine.UserName;
    v.computer_name = inputs.Machine.ComputerName.empty() ? "Unknown" : inputs.Machine.ComputerName;
    v.local_ip_addr = inputs.Machine.LocalIpAddr;

    v.app_path = WithoutTrailingSeparator(inputs.WorkingDir);
    v.data_path = PathJoin({v.app_path, "Data"});
    v.help_path = PathJoin({v.app_path, "Help"});
    v.images_path = PathJoin({v.app_path, "Images"});
    v.projects_path = PathJoin({v.app_path, "Projects"});
    v.report_path = PathJoin({v.app_path, "Report"});
    v.settings_file = PathJoin({v.app_path, kSettingsFileName});
    return v;
}

TJsonDoc DefaultSettingsDocument(const TAppVariables& vars)
{
    TJsonDoc doc = JsonNew();
    doc["app"] = vars.app_name;
    doc["ver"] = vars.ver_num;
    JsonPutAuthor(doc, kSettingsAuthor, kSettingsCompany);
    JsonPutDate(doc);
    doc["Image"] = PathJoin({vars.images_path, "cycle.png"});
    for (const auto& form : kFormDefaults)
        JsonPutFormPos(doc, form.Key, form.Bounds);

    TJsonDoc cycle = JsonNew();
    cycle["ref"] = "R22";
    for (const auto& row : kCycleDefaults)
        cycle[row.Key] = row.Value;
    cycle["DutyBasis"] = 0;
    cycle["LinkTeSST"] = true;
    cycle["LinkTcSDT"] = true;
    doc["Default"] = std::move(cycle);

    TJsonDoc limits = JsonNew();
    for (const auto& row : kLimitDefaults) {
        TJsonDoc range = JsonNew();
        if (row.HasMin)
            range["min"] = row.Min;
        range["max"] = row.Max;
        limits[row.Key] = std::move(range);
    }
    doc["Limits"] = std::move(limits);
    return doc;
}

TJsonDoc LoadSettingsDocument(const TAppVariables& vars)
{
    try {
        if (auto doc = JsonLoadFile(vars.settings_file); doc && doc->is_object())
            return std::move(*doc);
    } catch (const KelvoraError&) {
        // A file that cannot be opened counts as missing.
    }
    return DefaultSettingsDocument(vars);
}

void PutAppVariables(TJsonDoc& doc, const TAppVariables& vars)
{
    if (!doc.is_object())
        doc = JsonNew();
    for (const auto& v : kSavedVariables)
        doc[v.Name] = vars.*v.Member;
    JsonPutAuthor(doc, kSettingsAuthor, kSettingsCompany);
    JsonPutDate(doc);
}

void TGlobal::Start(const TGlobalInputs& inputs)
{
    Vars_ = MakeAppVariables(inputs);
    Settings_ = LoadSettingsDocument(Vars_);
}

void SaveSettingsDocument(TJsonDoc& doc, const TAppVariables& vars)
{
    PutAppVariables(doc, vars);
    JsonSaveFile(doc, vars.settings_file);
}

bool TGlobal::Save(std::ostream& errors)
{
    try {
        SaveSettingsDocument(Settings_, Vars_);
        return true;
    } catch (const std::exception& e) {
        errors << "Settings not saved: " << e.what() << std::endl;
        return false;
    }
}

bool TGlobal::Save()
{
    return Save(std::cerr);
}

TGlobal& uGlobal()
{
    static TGlobal global;
    return global;
}

const TAppVariables& AppVars()
{
    return uGlobal().Vars();
}
