#include "tools/compform/compdatalines.h"

#include "tools/compressor/comp.h"
#include "core/numtext.h"

std::vector<std::string> CompDataLines(const TComp& comp, const std::string& refrigerant)
{
    const TCompData& d = comp.Data();
    // Files without a rating suction gas temperature hold -300 there; any value
    // below zero shows the rating superheat instead.
    const std::string rating = d.RefSuctionGas < -1e-38 ? FormatNumber("Ref Superheat = %0.1f °C", d.RefSuperheat)
                                                        : FormatNumber("Ref Suction Gas = %0.1f °C", d.RefSuctionGas);
    return {
        "[" + d.CompName + "]",
        "Description = " + d.CompDescription,
        "Refrigerant = " + refrigerant,
        FormatNumber("Heat Rejection Factor = %0.3f", d.HeatRejectionFactor),
        rating,
        FormatNumber("Ref Sub-cooling = %0.1f °C", d.RefSubcooling),
        FormatNumber("Superheat = %0.3f °C", comp.Superheat()),
        FormatNumber("Sub-cooling = %0.3f °C", comp.Subcooling()),
        FormatNumber("qcf = %0.4f", comp.qcf()),
        FormatNumber("pcf = %0.4f", comp.pcf()),
    };
}
