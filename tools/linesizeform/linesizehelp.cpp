#include "tools/linesizeform/linesizehelp.h"

#include "core/numtext.h"
#include "tools/linesize/linesize.h"

namespace {

std::string Limit(double value, const char* unit)
{
    return FormatNumber("%g", value) + " " + unit;
}

} // namespace

std::string LineSizeHelpText()
{
    return "Line Size Calculator\n\n"
           "The plant's cycle is solved for the cooling capacity, the saturated suction (te) and discharge (tc) "
           "temperatures, superheat, sub-cooling and isentropic efficiency. Each line carries the cycle's mass flow: "
           "the suction line as gas at the suction pressure and suction gas temperature, the discharge line as gas "
           "at the discharge pressure and temperature, the liquid line as liquid at the liquid temperature. The "
           "pressure drop is the friction over the equivalent length (tube plus fittings; drawn copper, Churchill "
           "friction factor) plus the static head of the rise (upward positive); the saturation drop is what that "
           "pressure drop costs in saturation temperature.\n\n"
           "Rules of thumb the judgement uses:\n"
           "- Suction and discharge lines: saturation drop at most " +
        Limit(kVapourDropLimit, "K") +
        ".\n"
        "- Liquid line: saturation drop at most " +
        Limit(kLiquidDropLimit, "K") +
        ", and less than the sub-cooling, so that the liquid reaches the expansion valve still sub-cooled.\n"
        "- Oil return: suction gas at least " +
        Limit(kSuctionRiserMin, "m/s") + " up a riser and at least " + Limit(kSuctionHorizontalMin, "m/s") +
        " in horizontal or falling lines; discharge gas at least " + Limit(kDischargeRiserMin, "m/s") +
        " up a riser.\n"
        "- Noise: gas at most " +
        Limit(kVapourMax, "m/s") +
        " in any vapour line.\n"
        "- Liquid hammer: liquid at most " +
        Limit(kLiquidMax, "m/s") +
        ".\n\n"
        "Select puts the smallest tube of the chosen series that meets the pressure drop and velocity rules into "
        "its line (EN 12735-1 metric tube or ASTM B280 ACR tube).\n\n"
        "\"Use the suction, discharge and liquid conditions of Kelvora\" takes refrigerant, capacity, te, tc, "
        "superheat, sub-cooling and isentropic efficiency from the project Kelvora used last, as its settings "
        "file Kelvora.json in the working folder lists it.";
}
