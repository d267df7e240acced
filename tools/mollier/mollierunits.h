#pragma once

#include <string>

// The chart's unit system: metric kPa, kJ/kg, °C or imperial psi, Btu/lb, °F,
// taken from the units catalogue. Values come in the model's units (kPa, kJ/kg, °C).
enum TChartUnits { cuMetric,
                   cuImperial };

struct TDisplayUnit {
    std::string Label; // UTF-8
    double Factor = 1;
    double Offset = 0;
    double Show(double value) const { return Offset + Factor * value; }
    double Take(double shown) const { return (shown - Offset) / Factor; }
};

TDisplayUnit PressureUnit(TChartUnits units);
TDisplayUnit EnthalpyUnit(TChartUnits units);
TDisplayUnit TemperatureUnit(TChartUnits units);

// "Metric" or "Imperial" (letter case aside); anything else is metric.
TChartUnits ChartUnitsFromText(const std::string& text);
std::string ChartUnitsText(TChartUnits units);
TDisplayUnit TemperatureChangeUnit(TChartUnits units);
