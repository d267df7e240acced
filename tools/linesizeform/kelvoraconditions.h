#pragma once

#include <string>

#include "core/refriglib.h"
#include "tools/linesize/linesize.h"

// The plant of the main window, for the line sizing window: the project Kelvora
// saved last, as the settings document's list of recent files names it, loaded
// and solved as the main window solves it.
struct TKelvoraConditions {
    std::string ProjectFile;
    std::string Refrigerant;
    TLineCycle Cycle; // capacity qe; te and tc the saturated suction and discharge temperatures
};

// Reads the settings document `settingsFile` (Kelvora.json), loads the newest
// project of its recent files into `lib` (which then has the project's
// refrigerant selected) and solves it. Raises LineSizeError with a message for
// the user when there is no such project or it cannot be read or solved; `lib`
// keeps its refrigerant then.
TKelvoraConditions KelvoraConditions(TRefrigLib& lib, const std::string& settingsFile);

// The settings document of the main window started in the working directory.
std::string KelvoraSettingsFile();
