// The line sizing calculation: the flow through a tube worked by hand, the
// friction factor against Colebrook and laminar flow, the rules at their limits,
// the tube selection and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "core/cycle.h"
#include "tests/support/tempfolder.h"
#include "tools/linesize/linesize.h"

namespace {

const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";

TRefrigLib& Lib(const std::string& name)
{
    static TRefrigLib lib(kLibrary);
    lib.SelectByName(name);
    return lib;
}

// The Colebrook equation solved by fixed-point steps, the turbulent reference.
double Colebrook(double re, double relativeRoughness)
{
    double f = 0.02;
    for (int i = 0; i < 200; ++i)
        f = std::pow(-2.0 * std::log10(relativeRoughness / 3.7 + 2.51 / (re * std::sqrt(f))), -2.0);
    return f;
}

void ExpectRelative(double actual, double expected, double margin, const char* what)
{
    EXPECT_NEAR(actual, expected, std::abs(expected) * margin) << what;
}

// Flows worked by hand from m, ρ, μ and the tube: d = OD − 2·wall,
// w = m / (ρ·π·d²/4), Re = ρ·w·d/μ, Churchill's f, Δp = f·L/d·ρw²/2 + ρ·g·H.
TEST(LineFlow, MatchesTheFlowWorkedByHand)
{
    struct TCase {
        TLineKind line;
        double massFlow, density, viscosity;
        TLineTube tube;
        double diameter, velocity, reynolds, friction, drop;
    };
    const TCase cases[] = {
        {lkSuction, 0.05, 10.0, 11e-6, {22, 1, 10, 3}, 0.020, 15.915494309189532, 289372.62380344607, 0.015280480619929761, 9970.676893969288},
        {lkDischarge, 0.05, 60.0, 14e-6, {15, 1, 8, 2}, 0.013, 6.278301502638869, 349791.08371845126, 0.015277461735713961, 12294.20307622866},
        // A liquid line running down gains more from the fall than friction costs.
        {lkLiquid, 0.05, 1150.0, 180e-6, {10, 1, 12, -2}, 0.008, 0.864972516803779, 44209.70641441537, 0.022060175805839848, -8319.796163346497},
    };
    TRefrigLib& lib = Lib("R134a");
    for (const auto& c : cases) {
        SCOPED_TRACE(LineKindName(c.line));
        TLineState s;
        s.line = c.line;
        s.massFlow = c.massFlow;
        s.density = c.density;
        s.viscosity = c.viscosity;
        s.pressure = c.line == lkSuction ? lib.DewP(-10) : lib.BubbleP(40);
        s.sc = 5;
        const TLineResult r = LineFlow(lib, s, c.tube);
        ExpectRelative(r.diameter, c.diameter, 1e-12, "diameter");
        ExpectRelative(r.velocity, c.velocity, 1e-9, "velocity");
        ExpectRelative(r.reynolds, c.reynolds, 1e-9, "reynolds");
        ExpectRelative(r.frictionFactor, c.friction, 1e-9, "friction factor");
        ExpectRelative(r.pressureDrop, c.drop, 1e-9, "pressure drop");
        const double tSat = c.line == lkLiquid ? lib.BubbleT(s.pressure) - lib.BubbleT(s.pressure - c.drop)
                                               : lib.DewT(s.pressure) - lib.DewT(s.pressure - c.drop);
        EXPECT_NEAR(r.saturationDrop, tSat, 1e-9);
        EXPECT_EQ(r.saturationDrop > 0, c.drop > 0);
    }
}

TEST(ChurchillFriction, AgreesWithColebrookInTurbulentFlow)
{
    for (double re : {1e4, 3e4, 1e5, 1e6, 1e7})
        for (double rr : {0.0, 1e-5, 1e-4, 1e-3}) { // drawn copper: 1e-5 … 4e-4
            SCOPED_TRACE(testing::Message() << "Re " << re << ", e/d " << rr);
            // Away from the transition Churchill keeps within 2 % of Colebrook.
            ExpectRelative(ChurchillFriction(re, rr), Colebrook(re, rr), 0.02, "turbulent");
        }
}

TEST(ChurchillFriction, IsTheLaminarLawBelowTransition)
{
    for (double re : {10.0, 100.0, 500.0, 1000.0, 1500.0})
        for (double rr : {0.0, 1e-3}) {
            SCOPED_TRACE(re);
            ExpectRelative(ChurchillFriction(re, rr), 64.0 / re, 1e-6, "laminar");
        }
    // Through the transition it climbs from the laminar to the turbulent value.
    EXPECT_GT(ChurchillFriction(4000, 1e-4), ChurchillFriction(2000, 1e-4) * 0.9);
}

// Each rule's limit passes; a hair beyond it fails.
TEST(JudgeLine, RulesHoldUpToTheirLimits)
{
    const auto judge = [](TLineKind line, double rise, double velocity, double drop, double sc = 5) {
        TLineState s;
        s.line = line;
        s.sc = sc;
        return JudgeLine(s, {22, 1, 10, rise}, velocity, drop);
    };
    const double hair = 1e-6;
    // Saturation drop: 1 K for vapour lines, 0.5 K for the liquid line.
    EXPECT_TRUE(judge(lkSuction, 0, 10, 1.0).dropOk);
    EXPECT_FALSE(judge(lkSuction, 0, 10, 1.0 + hair).dropOk);
    EXPECT_TRUE(judge(lkDischarge, 0, 10, 1.0).dropOk);
    EXPECT_FALSE(judge(lkDischarge, 0, 10, 1.0 + hair).dropOk);
    EXPECT_TRUE(judge(lkLiquid, 0, 1, 0.5).dropOk);
    EXPECT_FALSE(judge(lkLiquid, 0, 1, 0.5 + hair).dropOk);
    // Oil return: suction riser 5 m/s, other suction 2.5 m/s, discharge riser 7.5 m/s.
    EXPECT_TRUE(judge(lkSuction, 3, 5.0, 0).velocityMinOk);
    EXPECT_FALSE(judge(lkSuction, 3, 5.0 - hair, 0).velocityMinOk);
    EXPECT_TRUE(judge(lkSuction, 0, 2.5, 0).velocityMinOk);
    EXPECT_FALSE(judge(lkSuction, 0, 2.5 - hair, 0).velocityMinOk);
    EXPECT_FALSE(judge(lkSuction, -3, 2.5 - hair, 0).velocityMinOk);
    EXPECT_TRUE(judge(lkDischarge, 3, 7.5, 0).velocityMinOk);
    EXPECT_FALSE(judge(lkDischarge, 3, 7.5 - hair, 0).velocityMinOk);
    EXPECT_TRUE(judge(lkDischarge, 0, 1.0, 0).velocityMinOk);
    EXPECT_FALSE(judge(lkLiquid, 3, 0.01, 0).velocityMin.has_value());
    // Noise in vapour lines at 20 m/s, hammer in the liquid line at 1.5 m/s.
    EXPECT_TRUE(judge(lkSuction, 0, 20.0, 0).velocityMaxOk);
    EXPECT_FALSE(judge(lkSuction, 0, 20.0 + hair, 0).velocityMaxOk);
    EXPECT_TRUE(judge(lkDischarge, 0, 20.0, 0).velocityMaxOk);
    EXPECT_FALSE(judge(lkDischarge, 0, 20.0 + hair, 0).velocityMaxOk);
    EXPECT_TRUE(judge(lkLiquid, 0, 1.5, 0).velocityMaxOk);
    EXPECT_FALSE(judge(lkLiquid, 0, 1.5 + hair, 0).velocityMaxOk);
    // The liquid is still sub-cooled at the valve while the drop stays below sc.
    EXPECT_EQ(judge(lkLiquid, 0, 1, 0.3, 0.3 + hair).subcooled, true);
    EXPECT_EQ(judge(lkLiquid, 0, 1, 0.3, 0.3).subcooled, false);
    EXPECT_EQ(judge(lkLiquid, 0, 1, -0.2, 0).subcooled, true);
    EXPECT_FALSE(judge(lkSuction, 0, 10, 0).subcooled.has_value());
    EXPECT_TRUE(judge(lkLiquid, 0, 1, 0.3, 0.3).SizeOk()); // sub-cooling is no size rule
}

// The line's state comes from the solved cycle: m = Q / (h1 − h3), the density of
// the line's state and the saturated viscosity at its saturation temperature.
TEST(LineState, TakesTheSolvedCycle)
{
    for (const char* name : {"R134a", "R407C", "R717"}) {
        TRefrigLib& lib = Lib(name);
        const TLineCycle input {10, -10, 40, 8, 4, 0.7};
        TKelvora k(lib);
        k.qe = 10;
        k.SST = k.te = -10;
        k.SDT = k.tc = 40;
        k.sh = 8;
        k.sc = 4;
        k.Ie = 0.7;
        k.Solve(smIeGiven);
        ASSERT_EQ(k.ErrCount, 0) << name;
        const double massFlow = 10 / (lib.SuperheatEnthalpy(-10, -2) * 1e-3 - lib.SatLiqEnthalpy(36) * 1e-3);
        const auto mu = [](const std::array<double, 4>& c, double t) {
            return (c[0] + c[1] * t + c[2] * t * t + c[3] * t * t * t) * 1e-6;
        };
        const TRefrigData& d = lib.Data();
        struct TExpect {
            TLineKind line;
            double density, viscosity;
        } expected[] = {
            {lkSuction, 1 / lib.SuperheatVolume(lib.DewP(-10), -2), mu(d.uv, -10)},
            {lkDischarge, 1 / lib.SuperheatVolume(lib.BubbleP(40), k.td), mu(d.uv, 40)},
            {lkLiquid, 1 / lib.SatLiqVolume(36), mu(d.ul, 36)},
        };
        for (const auto& e : expected) {
            SCOPED_TRACE(testing::Message() << name << " " << LineKindName(e.line));
            const TLineState s = LineState(lib, e.line, input);
            EXPECT_EQ(lib.GetName(), name); // the refrigerant stays selected
            ExpectRelative(s.massFlow, massFlow, 1e-9, "mass flow");
            ExpectRelative(s.density, e.density, 1e-9, "density");
            ExpectRelative(s.viscosity, e.viscosity, 1e-9, "viscosity");
        }
    }
}

// The selection is the first tube of the series that meets the rules: the one
// before it fails them.
TEST(SelectTube, TakesTheSmallestTubeMeetingTheRules)
{
    TRefrigLib& lib = Lib("R134a");
    for (TLineKind line : {lkSuction, lkDischarge, lkLiquid})
        for (TTubeSeries series : {tsMetric, tsAcr}) {
            SCOPED_TRACE(testing::Message() << LineKindName(line) << " " << TubeSeriesName(series));
            const TLineState s = LineState(lib, line, {10, -10, 40, 7.5, 5, 0.7});
            const auto choice = SelectTube(lib, s, series, 20, 0);
            ASSERT_TRUE(choice);
            EXPECT_TRUE(choice->result.judgement.SizeOk());
            const auto& tubes = TubeSeries(series);
            size_t at = 0;
            while (tubes[at].name != choice->tube.name)
                ++at;
            ASSERT_GT(at, 0u);
            try {
                EXPECT_FALSE(LineFlow(lib, s, {tubes[at - 1].od, tubes[at - 1].wall, 20, 0}).judgement.SizeOk());
            } catch (const LineSizeError&) {
                // a drop beyond the line's pressure fails too
            }
        }
    // A suction riser too tall for any tube to carry oil without losing 1 K.
    const TLineState s = LineState(lib, lkSuction, {0.5, -30, 40, 7.5, 5, 0.7});
    EXPECT_FALSE(SelectTube(lib, s, tsMetric, 60, 30));
}

TEST(TubeSeries, RunFromTheSmallestToTheLargestWithABore)
{
    for (TTubeSeries series : {tsMetric, tsAcr}) {
        const auto& tubes = TubeSeries(series);
        for (size_t i = 0; i < tubes.size(); ++i) {
            EXPECT_GT(tubes[i].od - 2 * tubes[i].wall, 0) << tubes[i].name;
            if (i > 0) {
                EXPECT_GT(tubes[i].od, tubes[i - 1].od) << tubes[i].name;
            }
        }
    }
    EXPECT_EQ(TubeSeries(tsMetric).front().name, "6x1");
    EXPECT_EQ(TubeSeries(tsMetric).back().name, "108x2.5");
    EXPECT_EQ(TubeSeries(tsAcr).front().name, "1/4");
    EXPECT_NEAR(TubeSeries(tsAcr).back().od, 104.775, 1e-9);
}

TEST(ComputeLine, RefusesWhatGivesNoLine)
{
    TRefrigLib& lib = Lib("R134a");
    const auto message = [&](TLineTube tube, TLineCycle c = TLineCycle()) {
        try {
            ComputeLine(lib, lkSuction, c, tube);
        } catch (const LineSizeError& e) {
            return std::string(e.what());
        }
        return std::string("no refusal");
    };
    EXPECT_EQ(message({22, 11, 10, 0}), "The wall leaves no bore in the tube.");
    EXPECT_EQ(message({22, -1, 10, 0}), "The wall leaves no bore in the tube.");
    EXPECT_EQ(message({22, 1, -1, 0}), "The line length must be 0 m or more.");
    // 100 kW through a 6 mm tube loses more than the suction pressure.
    EXPECT_EQ(message({6, 1, 50, 0}, {100, -10, 40, 7.5, 5, 0.7}), "The pressure drop exceeds the pressure in the line.");
    EXPECT_EQ(message({22, 1, 10, 0}, {10, -10, 40, 7.5, 5, 1.0}), "Not able to calculate the cycle with this data.");
}

// A section without its own viscosity lists would compute with the built-in R22
// lists it keeps: refused, never guessed.
TEST(LineState, RefusesARefrigerantWithoutViscosityData)
{
    TTempFolder folder;
    const auto path = (folder.Path() / "lib.rdf").string();
    std::ifstream in(kLibrary);
    std::ofstream out(path);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[')
            section = line;
        const bool drop = (section == "[R134a]" && line.rfind("ul=", 0) == 0) ||
            (section == "[R717]" && line.rfind("uv=", 0) == 0);
        if (!drop)
            out << line << "\n";
    }
    out.close();
    TRefrigLib lib(path);
    for (const char* name : {"R134a", "R717"}) {
        lib.SelectByName(name);
        try {
            LineState(lib, lkLiquid, TLineCycle());
            ADD_FAILURE() << name << " computed";
        } catch (const LineSizeError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("No viscosity data for ") + name);
        }
    }
    lib.SelectByName("R407C");
    EXPECT_NO_THROW(LineState(lib, lkLiquid, TLineCycle()));
}

} // namespace
