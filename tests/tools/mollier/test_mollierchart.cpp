// The chart's axes and lines in the model's units.
#include <gtest/gtest.h>

#include <cmath>

#include <algorithm>

#include "tools/mollier/mollieraxes.h"
#include "tools/mollier/molliermodel.h"

TEST(MollierAxes, MapsEnthalpyLinearlyAndPressureLogarithmically)
{
    const TChartAxes axes({100, 500, 10, 10000}, {50, 20, 800, 600});
    EXPECT_DOUBLE_EQ(axes.X(100), 50);
    EXPECT_DOUBLE_EQ(axes.X(500), 850);
    EXPECT_DOUBLE_EQ(axes.X(300), 450);
    EXPECT_NEAR(axes.Y(10000), 20, 1e-9);
    EXPECT_NEAR(axes.Y(10), 620, 1e-9);
    EXPECT_NEAR(axes.Y(100), 420, 1e-9); // each decade a third of the height
    EXPECT_NEAR(axes.Y(1000), 220, 1e-9);
    for (double p : {12.5, 333.0, 9000.0})
        EXPECT_NEAR(axes.P(axes.Y(p)), p, 1e-9 * p);
    EXPECT_NEAR(axes.H(axes.X(271.3)), 271.3, 1e-9);
}

TEST(MollierAxes, TicksFallOnRoundValuesOfTheDisplayUnit)
{
    const TDisplayUnit kPa = PressureUnit(cuMetric);
    std::vector<std::string> labels;
    for (const auto& t : LogTicks(80, 6000, kPa, 20))
        labels.push_back(t.Label);
    EXPECT_EQ(labels, (std::vector<std::string> {"100", "200", "500", "1000", "2000", "5000"}));
    labels.clear();
    for (const auto& t : LogTicks(80, 60000, kPa, 5))
        labels.push_back(t.Label);
    EXPECT_EQ(labels, (std::vector<std::string> {"100", "1000", "10000"}));

    const TDisplayUnit btu = EnthalpyUnit(cuImperial);
    const auto ticks = LinearTicks(150, 480, btu, 8);
    ASSERT_GE(ticks.size(), 4u);
    for (const auto& t : ticks) {
        const double shown = btu.Show(t.Value);
        EXPECT_NEAR(shown, std::round(shown / 20) * 20, 1e-9) << t.Label;
        EXPECT_EQ(t.Label, std::to_string(static_cast<int>(std::lround(shown))));
    }
}

TEST(MollierAxes, ZoomKeepsTheStateUnderThePointerInPlace)
{
    const TChartRange whole {100, 500, 10, 10000};
    const TPlotRect plot {0, 0, 1000, 500};
    const TChartAxes before(whole, plot);
    const TChartRange zoomed = ZoomRange(whole, 250, 300, 0.5);
    const TChartAxes after(zoomed, plot);
    EXPECT_NEAR(after.X(250), before.X(250), 1e-9);
    EXPECT_NEAR(after.Y(300), before.Y(300), 1e-9);
    EXPECT_NEAR(zoomed.hMax - zoomed.hMin, 200, 1e-9);
    EXPECT_NEAR(std::log(zoomed.pMax / zoomed.pMin), 0.5 * std::log(1000.0), 1e-9);

    const TChartRange dragged = RangeBetween(before, 750, 400, 250, 100);
    EXPECT_NEAR(dragged.hMin, before.H(250), 1e-9);
    EXPECT_NEAR(dragged.hMax, before.H(750), 1e-9);
    EXPECT_NEAR(dragged.pMin, before.P(400), 1e-9);
    EXPECT_NEAR(dragged.pMax, before.P(100), 1e-6);
}

namespace {

const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";

TMollierChart ChartOf(TRefrigLib& lib, const std::string& name, TChartUnits units = cuMetric)
{
    const auto& names = lib.RefrigNames();
    const auto at = std::find(names.begin(), names.end(), name);
    EXPECT_NE(at, names.end()) << name;
    return BuildMollierChart(lib, std::to_string(at - names.begin()) + " 0.70 -5.000 40.000 6.00 4.00", units);
}

} // namespace

TEST(MollierLines, DomeRunsFromTMinAndHoldsTheCycle)
{
    for (const char* name : {"R22", "R407C", "R448A", "R134a"}) {
        SCOPED_TRACE(name);
        TRefrigLib lib(kLibrary);
        const TMollierChart chart = ChartOf(lib, name);
        const TChartLines& l = chart.Lines;
        ASSERT_GE(l.Bubble.size(), 10u);
        ASSERT_EQ(l.Bubble.size(), l.Dew.size());
        const double tMin = lib.Data().TMin;
        EXPECT_NEAR(l.Bubble.front().p, lib.BubbleP(tMin) / 1000, 1e-9);
        EXPECT_NEAR(l.Dew.front().h, lib.SatVapEnthalpy(tMin) / 1000, 1e-9);
        EXPECT_GT(l.TTop, chart.Cycle.SDT);
        EXPECT_LT(l.TTop, lib.Data().TCrit);
        for (size_t i = 0; i < l.Bubble.size(); ++i)
            EXPECT_LT(l.Bubble[i].h, l.Dew[i].h);
        const TChartRange& r = l.Whole;
        for (const TStatePoint& s : chart.Cycle.Points) {
            EXPECT_GT(s.h, r.hMin);
            EXPECT_LT(s.h, r.hMax);
            EXPECT_GT(s.p, r.pMin);
            EXPECT_LT(s.p, r.pMax);
        }
        EXPECT_EQ(l.Qualities.size(), 9u);
    }
}

TEST(MollierLines, IsothermsAreLevelForAPureFluidSlopedForABlendAndTrueInTheVapour)
{
    struct TCase {
        const char* name;
        bool glide;
    };
    for (const TCase c : {TCase {"R22", false}, TCase {"R407C", true}}) {
        SCOPED_TRACE(c.name);
        TRefrigLib lib(kLibrary);
        const TMollierChart chart = ChartOf(lib, c.name);
        int twoPhase = 0;
        for (const TValueCurve& iso : chart.Lines.Isotherms) {
            EXPECT_NEAR(std::fmod(iso.Value + 1000, 10.0), 0.0, 1e-9);
            if (iso.VapourFrom > 1) {
                ++twoPhase;
                const double pBubble = iso.Curve.front().p;
                const double pDew = iso.Curve[iso.VapourFrom - 1].p;
                EXPECT_NEAR(pBubble, lib.BubbleP(iso.Value) / 1000, 1e-6 * pBubble);
                EXPECT_NEAR(pDew, lib.DewP(iso.Value) / 1000, 1e-6 * pDew);
                if (c.glide)
                    EXPECT_GT(pBubble / pDew, 1.05);
                else
                    EXPECT_NEAR(pBubble / pDew, 1.0, 1e-9);
            }
            // Every vapour point is at the isotherm's temperature.
            for (size_t i = iso.VapourFrom; i < iso.Curve.size(); i += 7)
                EXPECT_NEAR(lib.SuperheatTemp(iso.Curve[i].p * 1000, iso.Curve[i].h * 1000), iso.Value, 0.05);
        }
        EXPECT_GE(twoPhase, 5);
    }
}

TEST(MollierLines, ImperialIsothermsFallOnRoundFahrenheit)
{
    TRefrigLib lib(kLibrary);
    const TMollierChart chart = ChartOf(lib, "R22", cuImperial);
    ASSERT_FALSE(chart.Lines.Isotherms.empty());
    for (const TValueCurve& iso : chart.Lines.Isotherms)
        EXPECT_NEAR(std::fmod(iso.Value * 1.8 + 32 + 1000, 20.0), 0.0, 1e-6) << iso.Value;
    EXPECT_NE(ChartTitle(chart).find("°F"), std::string::npos);
    EXPECT_NE(ChartTitle(chart).find("R22   SST 23.0 °F   SDT 104.0 °F   sh 10.8 °F   sc 7.2 °F   COP "),
              std::string::npos)
        << ChartTitle(chart);
}
