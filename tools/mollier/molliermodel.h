#pragma once

#include <string>

#include "tools/mollier/mollieraxes.h"
#include "tools/mollier/molliercycle.h"
#include "tools/mollier/mollierlines.h"
#include "tools/mollier/mollierunits.h"

// Everything a drawing of the chart needs: the solved cycle, the refrigerant's
// lines, and the unit system the labels use.
struct TMollierChart {
    TMollierCycle Cycle;
    TChartLines Lines;
    TChartUnits Units = cuMetric;
};

// Solves the text's cycle on lib and builds the lines for its refrigerant.
// Raises as ParseMollierText, SolveMollierCycle and BuildChartLines raise.
TMollierChart BuildMollierChart(TRefrigLib& lib, const std::string& text, TChartUnits units);

// The plot's rectangle in a drawing of width x height pixels: room for the title
// above, the pressure labels on the left and the enthalpy labels below.
TPlotRect PlotRectFor(double width, double height);

// "R22   SST 5.0 °C   SDT 45.0 °C   sh 7.5 K   sc 5.0 K   COP 4.12" in the chart's units.
std::string ChartTitle(const TMollierChart& chart);

// "p 512.3 kPa   h 410.5 kJ/kg   Tsat 3.1 °C (dew)   T 12.4 °C" for the state at
// (h, p) in the chart's units: the saturation temperatures at p (bubble and dew
// for a blend) and, in the vapour region, the gas temperature.
std::string StateReadout(TRefrigLib& lib, const TMollierChart& chart, double h, double p);
