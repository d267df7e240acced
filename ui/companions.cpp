#include "ui/companions.h"

#include <iterator>

#include "core/cycle.h"
#include "core/numtext.h"

namespace {

// Below the maker's folder, in the order of TCompanion.
const char* const kCompanionFiles[] = {
    "Mollier Chart/mollierchart",
    "Line Size/linesize",
    "Capillary Tube/capillarytube",
    "Evaporator Coil/evaporatorcoil",
    "Condenser Coil/condensercoil",
    "Cycle Simulation/cyclesimulation",
};
static_assert(std::size(kCompanionFiles) == cpCycleSimulation + 1);

constexpr double kPaPerKPa = 1000;

} // namespace

std::string CompanionPath(const std::string& makerFolder, TCompanion companion)
{
    return makerFolder + kCompanionFiles[companion];
}

std::string MollierArgumentText(const TKelvora& cycle)
{
    struct TPiece {
        const char* format;
        double value;
    };
    // The pieces of "%d %0.3f %0.3f %0.3f %0.2f %0.2f", one conversion each.
    const TPiece pieces[] = {
        {"%0.3f", cycle.Ie},
        {"%0.3f", cycle.SST},
        {"%0.3f", cycle.Lib().DewT(kPaPerKPa * cycle.HP)},
        {"%0.2f", cycle.sh},
        {"%0.2f", cycle.sc},
    };
    std::string text = FormatNumber("%d", static_cast<long long>(cycle.Lib().GetIndex()));
    for (const TPiece& piece : pieces)
        text += " " + FormatNumber(piece.format, piece.value);
    return text;
}
