#include "tools/mollier/molliermodel.h"

#include <algorithm>

#include "core/errors.h"
#include "core/numtext.h"

namespace {

constexpr double kKilo = 1000.0;

std::string Shown(const TDisplayUnit& unit, double value, const char* format)
{
    return FormatNumber(format, unit.Show(value)) + " " + unit.Label;
}

} // namespace

TMollierChart BuildMollierChart(TRefrigLib& lib, const std::string& text, TChartUnits units)
{
    TMollierChart chart;
    chart.Units = units;
    chart.Cycle = SolveMollierCycle(lib, ParseMollierText(text));
    chart.Lines = BuildChartLines(lib, chart.Cycle, units);
    return chart;
}

TPlotRect PlotRectFor(double width, double height)
{
    const double left = 72, right = 24, top = 44, bottom = 48;
    return {left, top, std::max(1.0, width - left - right), std::max(1.0, height - top - bottom)};
}

std::string ChartTitle(const TMollierChart& chart)
{
    const TMollierCycle& c = chart.Cycle;
    const TDisplayUnit t = TemperatureUnit(chart.Units);
    const TDisplayUnit dt = TemperatureChangeUnit(chart.Units);
    return c.Refrigerant + "   SST " + Shown(t, c.SST, "%0.1f") + "   SDT " + Shown(t, c.SDT, "%0.1f") + "   sh " +
        Shown(dt, c.sh, "%0.1f") + "   sc " + Shown(dt, c.sc, "%0.1f") + "   COP " + FormatNumber("%0.2f", c.COP);
}

std::string StateReadout(TRefrigLib& lib, const TMollierChart& chart, double h, double p)
{
    const TDisplayUnit pu = PressureUnit(chart.Units);
    const TDisplayUnit hu = EnthalpyUnit(chart.Units);
    const TDisplayUnit tu = TemperatureUnit(chart.Units);
    std::string text = "p " + Shown(pu, p, p < 100 ? "%0.2f" : "%0.1f") + "   h " + Shown(hu, h, "%0.1f");
    try {
        const double tBubble = lib.BubbleT(p * kKilo);
        const double tDew = lib.DewT(p * kKilo);
        if (tDew - tBubble > 0.05)
            text += "   Tsat " + Shown(tu, tBubble, "%0.1f") + " / " + Shown(tu, tDew, "%0.1f") + " (bubble / dew)";
        else
            text += "   Tsat " + Shown(tu, tDew, "%0.1f");
        const double hDew = lib.SatVapEnthalpy(tDew) / kKilo;
        if (h > hDew && p < chart.Lines.Dew.back().p)
            text += "   T " + Shown(tu, lib.SuperheatTemp(p * kKilo, h * kKilo), "%0.1f");
    } catch (const KelvoraError&) {
        // Outside the correlations' range the pressure and enthalpy still read.
    }
    return text;
}
