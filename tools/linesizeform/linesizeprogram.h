#pragma once

#include <string>
#include <vector>

#include "units/switchunits.h"

// The line sizing program's command line:
//   linesize [--library FILE] [--units metric|imperial]
// It takes no argument text: the main window starts it with none. Exit codes: 0
// done, 2 the command line was refused.
struct TLineSizeCommand {
    bool Help = false;
    std::string Library; // empty: RefLib8.rdf by the maker-folder rule
    std::string Units;   // empty: from the settings
};

// Reads the command line; a refused one raises ConversionError with its message.
TLineSizeCommand ParseLineSizeCommand(const std::vector<std::string>& args);

extern const char* const kLineSizeUsage;

// The window's section in the program's settings: "Units" ("Metric" or
// "Imperial") and the window's placement.
inline constexpr const char* kLineSizeSection = "LineSize";

// The --units option, else the unit system kept in the settings (metric by default).
TUnitSystem LineSizeUnits(const TLineSizeCommand& command);
// "Metric" or "Imperial", as the settings keep it.
const char* UnitSystemText(TUnitSystem system);

inline constexpr int kLineSizeRefused = 2;
