#pragma once

#include <string>
#include <vector>

#include "tools/mollier/molliercycle.h"
#include "tools/mollier/mollierlines.h"
#include "tools/mollier/mollierunits.h"

// The plot's rectangle in pixels.
struct TPlotRect {
    double Left = 0;
    double Top = 0;
    double Width = 1;
    double Height = 1;
};

// Maps the shown range of the chart onto the plot: enthalpy linear along x,
// pressure logarithmic along y (high pressure at the top).
class TChartAxes {
public:
    TChartAxes(const TChartRange& shown, const TPlotRect& plot);

    double X(double h) const;
    double Y(double p) const;
    double H(double x) const; // enthalpy at pixel column x
    double P(double y) const; // pressure at pixel row y

    const TChartRange& Shown() const { return shown_; }
    const TPlotRect& Plot() const { return plot_; }

private:
    TChartRange shown_;
    TPlotRect plot_;
    double logMin_;
    double logSpan_;
};

struct TTick {
    double Value = 0;  // in the model's unit, for placing
    std::string Label; // in the display unit
};

// Round steps (1, 2 or 5 times a power of ten, in the display unit) across
// [lo, hi] of the model's unit, about `wanted` of them.
std::vector<TTick> LinearTicks(double lo, double hi, const TDisplayUnit& unit, int wanted);
// Pressure ticks at 1, 2 and 5 times the powers of ten of the display unit; with
// more than `wanted` of them only the powers of ten and their doubles, then only
// the powers of ten.
std::vector<TTick> LogTicks(double lo, double hi, const TDisplayUnit& unit, int wanted);

// The range around the cycle's points (2s included) with a margin, for "Fit cycle".
TChartRange CycleRange(const TMollierCycle& cycle);

// The shown range scaled by `factor` (below 1 zooms in) about the state (h, p),
// which keeps its place on the plot.
TChartRange ZoomRange(const TChartRange& shown, double h, double p, double factor);
// The range of the rectangle between two pixel corners (a drag), in any order.
TChartRange RangeBetween(const TChartAxes& axes, double x0, double y0, double x1, double y1);
