#include "tools/txvalve/samplevalves.h"

#include <cmath>

#include "core/numtext.h"

namespace {

// One sample range. A valve's capacity follows the liquid flow through its orifice,
// which grows with the square root of the pressure drop, times the refrigerating
// effect per kilogram, which falls as the evaporating temperature falls:
//   Q(te, dp) = Qn * sqrt(dp / dpRated) * h(te) / h(teRated),
//   h(te) = effectRated + effectSlope * (te - teRated)
// with the refrigerating effect h roughly that of the refrigerant with its liquid
// at 40 degrees C. Everything is in the file's own units.
struct TSampleRange {
    const char* fileName;
    const char* refrigerant;
    const char* pUnits;
    const char* tUnits;
    const char* qUnits;
    std::vector<double> dpRange;
    std::vector<double> teRange;
    double dpRated;
    double teRated;
    double effectRated; // kJ/kg at teRated
    double effectSlope; // kJ/kg per unit of te
    const char* capacityFormat;
    const char* modelPrefix;
    const char* modelSuffix;
    std::vector<double> nominal; // capacity at the rating point, in qUnits
};

const TSampleRange kSampleRanges[] = {
    {"Sample R22 metric.txv", "R22", "Bar", "DegC", "kW", {2, 4, 6, 8, 10, 12, 14, 16}, {10, 0, -10, -20, -30, -40}, 8, 5, 157, 0.39, "%0.2f", "SV ", " kW", {0.5, 1, 2, 3.5, 5.5, 8, 12, 17, 24}},
    {"Sample R134a imperial.txv", "R134a", "Psi", "DegF", "Tons", {30, 50, 75, 100, 125, 150, 175, 200}, {-20, -10, 0, 10, 20, 30, 40, 50}, 100, 40, 148, 0.33, "%0.3f", "SV ", " Ton", {0.25, 0.5, 1, 1.5, 2, 3, 4, 5.5}},
    {"Sample R404A kPa.txv", "R404A", "kPa", "DegC", "kW", {400, 600, 800, 1000, 1200, 1400, 1600}, {0, -10, -20, -30, -40}, 1000, -10, 100, 0.55, "%0.2f", "SV-L ", " kW", {0.4, 0.8, 1.5, 2.5, 4, 6, 8.5}},
};

std::string JoinList(const std::vector<double>& values, const char* format)
{
    std::string text;
    for (size_t k = 0; k < values.size(); ++k)
        text += (k ? "," : "") + (format ? FormatNumber(format, values[k]) : RealToText(values[k]));
    return text;
}

std::string FileText(const TSampleRange& r)
{
    std::string text;
    const auto line = [&text](const std::string& s) { text += s + "\r\n"; };
    line("; Sample TX valve range for " + std::string(r.refrigerant) + " made for Kelvora.");
    line("; The capacities come from a simple orifice model rated at " + RealToText(r.dpRated) + " " + r.pUnits +
         " and " + RealToText(r.teRated) + " " + r.tUnits + ";");
    line("; they are sample data, not any maker's published table.");
    line("; Rows te0, te1, ... follow teRange, entries in a row follow dPRange.");
    line("[Header]");
    line("Manufacturer=Sample data (not a maker's table)");
    line(std::string("PUnits=") + r.pUnits);
    line(std::string("TUnits=") + r.tUnits);
    line(std::string("QUnits=") + r.qUnits);
    line("dPRange=" + JoinList(r.dpRange, nullptr));
    line("teRange=" + JoinList(r.teRange, nullptr));
    for (const double qn : r.nominal) {
        line("");
        line("[" + std::string(r.modelPrefix) + RealToText(qn) + r.modelSuffix + "]");
        for (size_t row = 0; row < r.teRange.size(); ++row) {
            const double effect = r.effectRated + r.effectSlope * (r.teRange[row] - r.teRated);
            std::vector<double> capacities;
            for (const double dp : r.dpRange)
                capacities.push_back(qn * std::sqrt(dp / r.dpRated) * effect / r.effectRated);
            line("te" + std::to_string(row) + "=" + JoinList(capacities, r.capacityFormat));
        }
    }
    return text;
}

} // namespace

std::vector<TSampleValveFile> SampleValveFiles()
{
    std::vector<TSampleValveFile> files;
    for (const auto& r : kSampleRanges)
        files.push_back({r.fileName, FileText(r)});
    return files;
}
