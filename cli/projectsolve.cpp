#include "cli/projectsolve.h"

#include "core/datarange.h"
#include "core/errors.h"

namespace {

const char* const kNotSolved = "Warning: Not able to calculate result with this data...";

} // namespace

bool SolveCycle(TKelvora& cycle, std::int32_t mode)
{
    cycle.rnum = cycle.Lib().GetName();
    try {
        cycle.Solve(mode);
    } catch (const KelvoraError&) {
        return false;
    }
    return cycle.ErrCount == 0;
}

TProjectSolve SolveProjectFile(TKelvora& cycle, const std::string& path, std::int32_t mode)
{
    cycle.LoadFromFile(path);
    TProjectSolve result;
    result.solved = SolveCycle(cycle, mode);
    if (!result.solved)
        result.warnings.push_back(kNotSolved);
    // Solved or not, a cycle beyond the correlations' range is worth a word.
    if (const std::string outside = DataRangeWarning(cycle); !outside.empty())
        result.warnings.push_back(outside);
    return result;
}
