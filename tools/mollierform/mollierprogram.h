#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/mollier/mollierunits.h"

// The Mollier chart program's faces:
//   mollierchart [--library FILE] [--units metric|imperial] TEXT      the window
//   mollierchart [--library FILE] --points TEXT                       the state points
//   mollierchart [--library FILE] [--units U] --export FILE.png|FILE.svg [--size WxH] TEXT
// TEXT is the main window's argument text, as one argument or as its six words.
// The headless faces need no display. Exit codes: 0 done, 1 the cycle or the file
// failed (a cycle solved with counted failures is still printed or drawn, with a
// warning), 2 the command line or the text was refused.
struct TMollierCommand {
    enum TFace { fcWindow,
                 fcPoints,
                 fcExport,
                 fcHelp } Face = fcWindow;
    std::string Library; // empty: RefLib8.rdf by the maker-folder rule
    std::string Units;   // empty: from the settings
    std::string ExportFile;
    int Width = 1200;
    int Height = 800;
    std::vector<std::string> Words; // the argument text
};

// Reads the command line; a refused one raises ConversionError with its message.
TMollierCommand ParseMollierCommand(const std::vector<std::string>& args);

// The library file the program uses: the --library option, or RefLib8.rdf in the
// "Common Files" of the maker's folder that holds the running program.
std::string MollierLibraryFile(const TMollierCommand& command);

// Runs a headless face (points or export); the window's face is main's own.
int RunHeadless(const TMollierCommand& command, std::ostream& out, std::ostream& err);

// The chart's section in the program's settings: "Units" ("Metric" or "Imperial")
// and the window's placement.
inline constexpr const char* kMollierSection = "MollierChart";

// The --units option, else the unit system kept in the settings (metric by default).
TChartUnits MollierUnits(const TMollierCommand& command);

inline constexpr int kExitFailed = 1;
inline constexpr int kExitRefused = 2;
