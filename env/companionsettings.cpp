#include "env/companionsettings.h"

#include "core/pathjoin.h"
#include "env/platform.h"
#include "env/settingsstore.h"

std::string CompanionLibraryFile(const std::string& option)
{
    if (!option.empty())
        return option;
    const TPlatformInputs defaults;
    const std::string maker = MakerFolderOf(ProgramFolderOf(RunningProgramFile()), defaults.ProgramFilesFolder);
    return PathJoin({maker + "Common Files/", "RefLib8.rdf"});
}

std::string CompanionUnitsText(const std::string& section, const std::string& option)
{
    if (!option.empty())
        return option;
    return TSettingsStore(ProgramRegistryKey()).ReadString(section, "Units", "Metric");
}

void KeepCompanionUnits(const std::string& section, const std::string& text)
{
    TSettingsStore(ProgramRegistryKey()).WriteString(section, "Units", text);
}
