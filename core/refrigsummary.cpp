#include "core/refrigsummary.h"

#include "core/checkedmath.h"
#include "core/errors.h"
#include "core/numtext.h"
#include "core/refriglib.h"

std::vector<std::string> RefrigSummaryLines(const TRefrigLib& lib, double temperature, double pressureKPa,
                                            std::string* failure)
{
    std::vector<std::string> lines {lib.Description(), ""};
    try {
        lines.push_back(FormatNumber("Critical Temperature = %0.1f °C", lib.GetTCrit()));
        lines.push_back(FormatNumber("Critical Pressure = %0.0f kPa", lib.GetPCrit() * 0.001));
        lines.push_back(FormatNumber("Boiling Point (at 1atm) = %0.1f °C", lib.GetTBoil()));
        lines.push_back(FormatNumber("Temperature Glide = %0.1f °C", lib.Glide(1000.0 * pressureKPa)));
        lines.push_back(FormatNumber("Vapor Specific Volume = %0.4f m³/kg", lib.SatVapVolume(temperature)));
        lines.push_back(FormatNumber("Liquid Density = %0.1f kg/m³", CheckedDiv(1.0, lib.SatLiqVolume(temperature))));
        // The value is kJ/kg; the units text is the one users know from this line.
        lines.push_back(FormatNumber("Latent Heat = %0.1f kJ/kgK", lib.LatentHeat(temperature) * 0.001));
    } catch (const KelvoraError& e) {
        if (failure)
            *failure = e.what();
        lines.emplace_back();
        lines.emplace_back("Error reading this refrigerant...");
    }
    return lines;
}
