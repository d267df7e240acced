#include "tools/linesizeform/kelvoraconditions.h"

#include <filesystem>
#include <system_error>

#include "core/cycle.h"
#include "core/jsondoc.h"
#include "core/pathjoin.h"
#include "env/recentfiles.h"
#include "env/uglobal.h"

TKelvoraConditions KelvoraConditions(TRefrigLib& lib, const std::string& settingsFile)
{
    std::optional<TJsonDoc> settings;
    try {
        settings = JsonLoadFile(settingsFile);
    } catch (const KelvoraError&) {
        // An unreadable settings document names no project either.
    }
    const std::vector<std::string> files =
        settings && settings->is_object() ? RecentFiles(*settings) : std::vector<std::string> {};
    if (files.empty())
        throw LineSizeError("Kelvora has no saved project to take the conditions from: " + settingsFile +
                            " lists no recent project file.");
    const std::string& project = files.front();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(project, ec))
        throw LineSizeError("The project file " + project + ", the last one Kelvora used, is no longer there.");

    const std::string before = lib.GetName();
    TKelvora cycle(lib);
    bool solved = false;
    try {
        cycle.LoadFromFile(project);
        cycle.Solve(smIeGiven);
        solved = cycle.ErrCount == 0;
    } catch (const KelvoraError& e) {
        try {
            lib.SelectByName(before);
        } catch (const KelvoraError&) {
            // The refrigerant in use before stays as the library left it.
        }
        throw LineSizeError("The project file " + project + " cannot be read: " + e.what());
    }
    if (!solved) {
        lib.SelectByName(before);
        throw LineSizeError("The plant of the project file " + project + " cannot be calculated.");
    }
    TKelvoraConditions c;
    c.ProjectFile = project;
    c.Refrigerant = lib.GetName();
    c.Cycle.capacity = cycle.qe;
    c.Cycle.te = cycle.SST;
    c.Cycle.tc = cycle.SDT;
    c.Cycle.sh = cycle.sh;
    c.Cycle.sc = cycle.sc;
    c.Cycle.ie = cycle.Ie;
    return c;
}

std::string KelvoraSettingsFile()
{
    std::error_code ec;
    return PathJoin({std::filesystem::current_path(ec).string(), kSettingsFileName});
}
