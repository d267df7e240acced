#include "tools/linesize/linesize.h"

#include <cmath>

#include "core/cycle.h"
#include "core/datarange.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kKilo = 1000.0;

// The fitted saturated viscosities: cubics in °C giving µPa·s.
double Viscosity(const std::array<double, 4>& c, double t)
{
    return (((c[3] * t + c[2]) * t + c[1]) * t + c[0]) * 1e-6;
}

// The saturation temperature at the line's pressure, by the line's kind: vapour
// lines condense at the dew point, the liquid line flashes at the bubble point.
double SaturationT(TRefrigLib& lib, TLineKind line, double p)
{
    return line == lkLiquid ? lib.BubbleT(p) : lib.DewT(p);
}

} // namespace

const char* LineKindName(TLineKind line)
{
    switch (line) {
    case lkSuction:
        return "suction";
    case lkDischarge:
        return "discharge";
    default:
        return "liquid";
    }
}

std::optional<TLineKind> LineKindFromName(const std::string& name)
{
    for (TLineKind k : {lkSuction, lkDischarge, lkLiquid})
        if (name == LineKindName(k))
            return k;
    return std::nullopt;
}

double ChurchillFriction(double reynolds, double relativeRoughness)
{
    const double a = std::pow(2.457 * std::log(1.0 / (std::pow(7.0 / reynolds, 0.9) + 0.27 * relativeRoughness)), 16);
    const double b = std::pow(37530.0 / reynolds, 16);
    return 8.0 * std::pow(std::pow(8.0 / reynolds, 12) + std::pow(a + b, -1.5), 1.0 / 12.0);
}

TLineState LineState(TRefrigLib& lib, TLineKind line, const TLineCycle& input)
{
    if (!lib.HasViscosity())
        throw LineSizeError("No viscosity data for " + lib.GetName());
    if (!(input.capacity > 0))
        throw LineSizeError("The cooling capacity must be more than 0 kW.");
    // The cycle's own defaults would select R22: only the fields Solve reads are set.
    TKelvora cycle(lib);
    cycle.rnum = lib.GetName();
    cycle.DutyBasis = dbCoolingLoad;
    cycle.qe = input.capacity;
    cycle.SST = cycle.te = input.te;
    cycle.SDT = cycle.tc = input.tc;
    cycle.sh = input.sh;
    cycle.sc = input.sc;
    cycle.Ie = input.ie;
    try {
        cycle.Solve(smIeGiven);
    } catch (const ArithmeticError&) {
        cycle.ErrCount = 1;
    }
    if (cycle.ErrCount != 0 || !(cycle.dhEvap > 0))
        throw LineSizeError("Not able to calculate the cycle with this data.");

    TLineState s;
    s.line = line;
    s.massFlow = cycle.mr;
    s.sc = input.sc;
    s.rangeWarning = DataRangeWarning(cycle);
    const TRefrigData& r = lib.Data();
    switch (line) {
    case lkSuction:
        s.pressure = cycle.LP * kKilo;
        s.density = 1.0 / lib.SuperheatVolume(s.pressure, cycle.ts);
        s.viscosity = Viscosity(r.uv, cycle.te);
        break;
    case lkDischarge:
        s.pressure = cycle.HP * kKilo;
        s.density = 1.0 / lib.SuperheatVolume(s.pressure, cycle.td);
        s.viscosity = Viscosity(r.uv, cycle.tc);
        break;
    case lkLiquid:
        s.pressure = cycle.HP * kKilo;
        s.density = 1.0 / lib.SatLiqVolume(cycle.tl);
        s.viscosity = Viscosity(r.ul, cycle.tl);
        break;
    }
    if (!(s.density > 0) || !std::isfinite(s.density) || !(s.viscosity > 0))
        throw LineSizeError("The refrigerant data give no usable state for the " + std::string(LineKindName(line)) +
                            " line.");
    return s;
}

TLineJudgement JudgeLine(const TLineState& state, const TLineTube& tube, double velocity, double saturationDrop)
{
    TLineJudgement j;
    const bool riser = tube.rise > 0;
    switch (state.line) {
    case lkSuction:
        j.dropLimit = kVapourDropLimit;
        j.velocityMin = riser ? kSuctionRiserMin : kSuctionHorizontalMin;
        j.velocityMax = kVapourMax;
        break;
    case lkDischarge:
        j.dropLimit = kVapourDropLimit;
        if (riser)
            j.velocityMin = kDischargeRiserMin;
        j.velocityMax = kVapourMax;
        break;
    case lkLiquid:
        j.dropLimit = kLiquidDropLimit;
        j.velocityMax = kLiquidMax;
        j.subcooled = saturationDrop < state.sc;
        break;
    }
    j.dropOk = saturationDrop <= j.dropLimit;
    j.velocityMinOk = !j.velocityMin || velocity >= *j.velocityMin;
    j.velocityMaxOk = velocity <= j.velocityMax;
    return j;
}

TLineResult LineFlow(TRefrigLib& lib, const TLineState& state, const TLineTube& tube)
{
    TLineResult r;
    r.state = state;
    r.diameter = (tube.od - 2.0 * tube.wall) * 1e-3;
    if (!(r.diameter > 0) || !(tube.wall >= 0))
        throw LineSizeError("The wall leaves no bore in the tube.");
    if (!(tube.length >= 0) || !std::isfinite(tube.length) || !std::isfinite(tube.rise))
        throw LineSizeError("The line length must be 0 m or more.");
    const double area = kPi * r.diameter * r.diameter / 4.0;
    r.velocity = state.massFlow / (state.density * area);
    r.reynolds = state.density * r.velocity * r.diameter / state.viscosity;
    r.frictionFactor = ChurchillFriction(r.reynolds, kCopperRoughness / r.diameter);
    r.pressureDrop = r.frictionFactor * (tube.length / r.diameter) * state.density * r.velocity * r.velocity / 2.0 +
        state.density * kGravity * tube.rise;
    const double rest = state.pressure - r.pressureDrop;
    if (!(rest > 0) || !std::isfinite(r.pressureDrop))
        throw LineSizeError("The pressure drop exceeds the pressure in the line.");
    r.saturationDrop = SaturationT(lib, state.line, state.pressure) - SaturationT(lib, state.line, rest);
    r.judgement = JudgeLine(state, tube, r.velocity, r.saturationDrop);
    return r;
}

TLineResult ComputeLine(TRefrigLib& lib, TLineKind line, const TLineCycle& cycle, const TLineTube& tube)
{
    // A tube without bore is told before the cycle is solved.
    if (!(tube.od - 2.0 * tube.wall > 0) || !(tube.wall >= 0))
        throw LineSizeError("The wall leaves no bore in the tube.");
    return LineFlow(lib, LineState(lib, line, cycle), tube);
}

std::optional<TTubeChoice> SelectTube(TRefrigLib& lib, const TLineState& state, TTubeSeries series, double length,
                                      double rise)
{
    for (const TTube& t : TubeSeries(series)) {
        TLineResult r;
        try {
            r = LineFlow(lib, state, {t.od, t.wall, length, rise});
        } catch (const LineSizeError&) {
            continue; // the drop exhausts the pressure: a larger tube may do
        }
        if (r.judgement.SizeOk())
            return TTubeChoice {t, r};
    }
    return std::nullopt;
}
