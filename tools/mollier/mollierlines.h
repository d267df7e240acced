#pragma once

#include <cstddef>
#include <vector>

#include "core/refriglib.h"
#include "tools/mollier/molliercycle.h"
#include "tools/mollier/mollierunits.h"

// A point of the chart: enthalpy (kJ/kg) and pressure (kPa absolute).
struct TPH {
    double h = 0;
    double p = 0;
};
using TCurve = std::vector<TPH>;

// A curve of one constant value: a temperature (°C) or a quality (fraction).
struct TValueCurve {
    double Value = 0;
    TCurve Curve;
    size_t VapourFrom = 0; // an isotherm's first point in the vapour region
};

// The part of the p-h plane that the whole chart shows (kPa, kJ/kg).
struct TChartRange {
    double hMin = 0;
    double hMax = 1;
    double pMin = 1;
    double pMax = 10;
    bool operator==(const TChartRange&) const = default;
};

// The saturation dome and the lines of constant temperature and quality of the
// selected refrigerant, in the model's units.
struct TChartLines {
    TCurve Bubble;   // saturated liquid from TMin upwards
    TCurve Dew;      // saturated vapour from TMin upwards
    double TTop = 0; // the highest saturation temperature drawn (°C)
    // Each isotherm runs from the bubble line across the two-phase region (sloped
    // by the glide of a blend) to the dew line and down the vapour region to the
    // chart's lowest pressure; one above the dome runs through the vapour only.
    std::vector<TValueCurve> Isotherms;
    std::vector<TValueCurve> Qualities; // 0.1 ... 0.9 across the dome
    TChartRange Whole;
};

// The lines of lib's selected refrigerant: the dome from the record's TMin
// towards the critical point (as far as the correlations hold a positive latent
// heat), isotherms every 10 °C (metric) or 20 °F (imperial) up past the cycle's
// discharge temperature, and a range that holds the dome and the cycle.
TChartLines BuildChartLines(TRefrigLib& lib, const TMollierCycle& cycle, TChartUnits units);

// The pressure (Pa) at which a two-phase state of quality x has temperature t (°C):
// the bubble pressure at x = 0, the dew pressure at x = 1.
double TwoPhasePressure(const TRefrigLib& lib, double t, double x);
