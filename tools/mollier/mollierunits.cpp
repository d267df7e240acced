#include "tools/mollier/mollierunits.h"

#include "core/numtext.h"
#include "units/unitconv.h"

namespace {

TDisplayUnit UnitOf(TUnitsType kind, TChartUnits units)
{
    const int index = units == cuImperial ? ImperialUnitIndex(kind, 0) : MetricUnitIndex(kind, 0);
    const TUnitChoice& choice = UnitChoices(kind)[ClampUnitIndex(kind, index)];
    return {choice.label, choice.factor, choice.offset};
}

} // namespace

TDisplayUnit PressureUnit(TChartUnits units)
{
    return UnitOf(utPressure, units);
}

TDisplayUnit EnthalpyUnit(TChartUnits units)
{
    return UnitOf(utEnthalpy, units);
}

TDisplayUnit TemperatureUnit(TChartUnits units)
{
    return UnitOf(utTemperature, units);
}

TChartUnits ChartUnitsFromText(const std::string& text)
{
    return SameText(text, "Imperial") ? cuImperial : cuMetric;
}

std::string ChartUnitsText(TChartUnits units)
{
    return units == cuImperial ? "Imperial" : "Metric";
}

TDisplayUnit TemperatureChangeUnit(TChartUnits units)
{
    // A metric difference reads in kelvin, as the main window shows sh and sc.
    if (units == cuMetric)
        return {"K", 1, 0};
    return UnitOf(utTemperatureChange, units);
}
