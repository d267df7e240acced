#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/cycle.h"

// One project file solved as kelvora-cli solve solves it, for solve and batch alike.
struct TProjectSolve {
    bool solved = false;               // the main window would show "Solved..."
    std::vector<std::string> warnings; // what solve tells on standard error and exits 1 for
};

// Solves as the main window does: an error or a counted failure is "not solved".
bool SolveCycle(TKelvora& cycle, std::int32_t mode);

// Loads `path` into `cycle` and solves it. A file that cannot be read or is not a
// project of this version raises KelvoraError before anything is solved.
TProjectSolve SolveProjectFile(TKelvora& cycle, const std::string& path, std::int32_t mode);
