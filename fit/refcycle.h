#pragma once

#include <optional>
#include <vector>

#include "fit/reftables.h"

// Values between the rows of the reference tables, and the cycles the tables
// give for their isentropic rows.

// Cubic Lagrange interpolation through the four nodes around x (xs ascending).
double InterpolateCubic(const std::vector<double>& xs, const std::vector<double>& ys, double x);

class TTableLookup {
public:
    explicit TTableLookup(const TFluidTables& tables);

    double BubblePressure(double t) const;
    double LiquidEnthalpy(double t) const;
    // Dew temperature at pressure p.
    double DewTemperature(double p) const;
    // Temperature of the superheated vapour of enthalpy h at the dew pressure of
    // tSat; empty outside the table's superheats.
    std::optional<double> VapourTemperature(double tSat, double h) const;

private:
    // T of enthalpy h along the superheat column of grid saturation temperature column.
    std::optional<double> ColumnTemperature(size_t column, double h) const;

    std::vector<double> satT_, lnPDew_, pBubble_, hLiq_;
    std::vector<double> columnTSat_;
    std::vector<std::vector<double>> columnT_, columnH_;
};

// The single-stage cycle of one isentropic row: suction at te + superheat,
// compression with the given isentropic efficiency to the bubble pressure at tc
// (the high side as the cycle model holds it), liquid sub-cooled below tc.
struct TCycleCase {
    double te = 0;
    double tc = 0;
    double superheat = 0;
    double h1 = 0;            // suction enthalpy
    double dh = 0;            // isentropic rise
    double h2 = 0;            // discharge enthalpy h1 + dh / efficiency
    double h3 = 0;            // liquid enthalpy at tc − sub-cooling
    double cop = 0;           // (h1 − h3) / (h2 − h1)
    std::optional<double> td; // discharge temperature; empty beyond the table's superheats
};

// The cycles of the isentropic rows with te and tc in [tMin, tMax].
std::vector<TCycleCase> ReferenceCycles(const TFluidTables& tables, double tMin, double tMax, double efficiency,
                                        double subcooling);
