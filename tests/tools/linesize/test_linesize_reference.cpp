// The line sizing figures against a calculation of its own from the reference
// property tables (an equation of state's densities, enthalpies and viscosities)
// with the Colebrook friction law: mass flow within 1 %, pressure drop within 5 %,
// for a pure fluid, a blend and ammonia.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "fit/reftables.h"
#include "tools/linesize/linesize.h"

namespace {

const std::string kReference = KELVORA_SOURCE_DIR "/data/reference";
const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";
constexpr double kPi = 3.14159265358979323846;

// The plant: te and sh on the grid of the superheat rows, tl on that of the
// saturation rows.
constexpr double kQ = 10, kTe = -10, kTc = 40, kSh = 10, kSc = 4, kIe = 0.7, kLength = 20;

const TFluidTables& Tables(const std::string& name)
{
    static std::map<std::string, TFluidTables> tables;
    if (!tables.count(name))
        for (const auto& info : ReadFluidList(kReference))
            if (info.RNumber == name)
                tables[name] = ReadFluidTables(kReference, info);
    return tables.at(name);
}

const TSatRow& Sat(const TFluidTables& t, double temp)
{
    for (const auto& s : t.sat)
        if (std::abs(s.t - temp) < 1e-9)
            return s;
    throw std::runtime_error("no saturation row");
}

const TSupRow& Sup(const TFluidTables& t, double tSat, double superheat)
{
    for (const auto& s : t.sup)
        if (std::abs(s.tSat - tSat) < 1e-9 && std::abs(s.superheat - superheat) < 1e-9)
            return s;
    throw std::runtime_error("no superheat row");
}

double Transport(const TFluidTables& t, TTransQuantity q, double temp)
{
    for (const auto& r : t.trans)
        if (std::abs(r.t - temp) < 1e-9 && r.value[q])
            return *r.value[q] * 1e-6;
    throw std::runtime_error("no transport row");
}

// The specific volume of the superheated vapour at the dew pressure of tSat with
// enthalpy h, linear between the rows either side.
double VolumeAtEnthalpy(const TFluidTables& t, double tSat, double h)
{
    const TSupRow* below = nullptr;
    for (const auto& s : t.sup) {
        if (std::abs(s.tSat - tSat) > 1e-9)
            continue;
        if (below && below->h <= h && s.h >= h)
            return below->v + (s.v - below->v) * (h - below->h) / (s.h - below->h);
        below = &s;
    }
    throw std::runtime_error("enthalpy beyond the superheat rows");
}

double Colebrook(double re, double relativeRoughness)
{
    double f = 0.02;
    for (int i = 0; i < 200; ++i)
        f = std::pow(-2.0 * std::log10(relativeRoughness / 3.7 + 2.51 / (re * std::sqrt(f))), -2.0);
    return f;
}

double FrictionDrop(double massFlow, double density, double viscosity, const TLineTube& tube)
{
    const double d = (tube.od - 2 * tube.wall) * 1e-3;
    const double w = massFlow / (density * kPi * d * d / 4);
    const double f = Colebrook(density * w * d / viscosity, kCopperRoughness / d);
    return f * tube.length / d * density * w * w / 2;
}

TEST(LineSizeReference, AgreesWithTheReferenceTables)
{
    struct TCase {
        const char* refrigerant;
        TLineKind line;
        TLineTube tube;
        double dropMargin = 0.05;
    } cases[] = {
        {"R134a", lkSuction, {28, 1, kLength, 0}},
        {"R134a", lkDischarge, {18, 1, kLength, 0}},
        {"R134a", lkLiquid, {12, 1, kLength, 0}},
        {"R407C", lkSuction, {28, 1, kLength, 0}},
        {"R407C", lkLiquid, {12, 1, kLength, 0}},
        {"R717", lkSuction, {22, 1, kLength, 0}},
        // Ammonia leaves the compressor 130 K above saturation, beyond the 40 K of
        // superheat the library's vapour volume is fitted to: its density there is
        // 7 % high and the drop 7 % low.
        {"R717", lkDischarge, {12, 1, kLength, 0}, 0.08},
        {"R717", lkLiquid, {8, 1, kLength, 0}},
    };
    TRefrigLib lib(kLibrary);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.refrigerant << " " << LineKindName(c.line));
        const TFluidTables& t = Tables(c.refrigerant);
        const TSupRow& suction = Sup(t, kTe, kSh);
        const TSatRow& liquid = Sat(t, kTc - kSc);
        const double massFlow = kQ * 1e3 / (suction.h - liquid.hLiq);
        double density = 0, viscosity = 0;
        switch (c.line) {
        case lkSuction:
            density = 1 / suction.v;
            viscosity = Transport(t, tqMuVap, kTe);
            break;
        case lkDischarge: {
            // The blends' discharge rows stand at the dew pressure, the cycle's at the bubble pressure.
            ASSERT_EQ(Sat(t, kTc).pDew, Sat(t, kTc).pBubble);
            double dhIsen = 0;
            for (const auto& r : t.isen)
                if (r.te == kTe && r.superheat == kSh && r.tc == kTc)
                    dhIsen = r.dh;
            ASSERT_GT(dhIsen, 0);
            density = 1 / VolumeAtEnthalpy(t, kTc, suction.h + dhIsen / kIe);
            viscosity = Transport(t, tqMuVap, kTc);
            break;
        }
        case lkLiquid:
            density = 1 / liquid.vLiq;
            viscosity = Transport(t, tqMuLiq, kTc - kSc);
            break;
        }
        const double drop = FrictionDrop(massFlow, density, viscosity, c.tube);

        lib.SelectByName(c.refrigerant);
        const TLineResult r = ComputeLine(lib, c.line, {kQ, kTe, kTc, kSh, kSc, kIe}, c.tube);
        std::printf("%-6s %-9s m %.5f / %.5f kg/s (%+.2f %%)  rho %.3f / %.3f  mu %.3f / %.3f uPa s  "
                    "dp %.3f / %.3f kPa (%+.2f %%)\n",
                    c.refrigerant, LineKindName(c.line), r.state.massFlow, massFlow,
                    100 * (r.state.massFlow / massFlow - 1), r.state.density, density, r.state.viscosity * 1e6,
                    viscosity * 1e6, r.pressureDrop * 1e-3, drop * 1e-3, 100 * (r.pressureDrop / drop - 1));
        EXPECT_NEAR(r.state.massFlow, massFlow, 0.01 * massFlow);
        EXPECT_NEAR(r.pressureDrop, drop, c.dropMargin * drop);
    }
}

} // namespace
