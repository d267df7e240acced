#include "tools/mollier/mollierlines.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"

namespace {

constexpr double kKilo = 1000.0;
constexpr double kMilli = 0.001;
constexpr int kDomeSteps = 80;
constexpr int kVapourSteps = 48;
constexpr int kTwoPhaseSteps = 10;
constexpr double kCriticalMargin = 0.5; // K below TCrit where the dome stops at most

double SatLiqH(const TRefrigLib& lib, double t)
{
    return lib.SatLiqEnthalpy(t) * kMilli;
}

double SatVapH(const TRefrigLib& lib, double t)
{
    return lib.SatVapEnthalpy(t) * kMilli;
}

// Enthalpy (kJ/kg) of quality x at pressure p (Pa).
double QualityEnthalpy(const TRefrigLib& lib, double p, double x)
{
    const double hl = SatLiqH(lib, lib.BubbleT(p));
    const double hv = SatVapH(lib, lib.DewT(p));
    return hl + x * (hv - hl);
}

// The dome from TMin up to the last temperature with a positive latent heat.
void BuildDome(const TRefrigLib& lib, TChartLines& lines)
{
    const TRefrigData& d = lib.Data();
    const double tLow = d.TMin;
    const double tHigh = std::max(tLow + 1, d.TCrit - kCriticalMargin);
    lines.TTop = tLow;
    for (int i = 0; i <= kDomeSteps; ++i) {
        const double t = tLow + (tHigh - tLow) * i / kDomeSteps;
        try {
            const double pb = lib.BubbleP(t);
            const double hl = SatLiqH(lib, t);
            const double pd = lib.DewP(t);
            const double hv = SatVapH(lib, t);
            // Past the point where the fitted liquid and vapour meet, the fits mean nothing.
            if (QualityEnthalpy(lib, pb, 1.0) <= hl)
                break;
            lines.Bubble.push_back({hl, pb * kMilli});
            lines.Dew.push_back({hv, pd * kMilli});
            lines.TTop = t;
        } catch (const KelvoraError&) {
            break;
        }
    }
}

TCurve QualityLine(const TRefrigLib& lib, const TCurve& bubble, double x)
{
    TCurve curve;
    for (const TPH& b : bubble) {
        const double p = b.p * kKilo;
        try {
            curve.push_back({QualityEnthalpy(lib, p, x), b.p});
        } catch (const KelvoraError&) {
        }
    }
    return curve;
}

// Vapour part of the isotherm t from pressure pHigh down to pLow (kPa).
void AppendVapour(TRefrigLib& lib, double t, double pHigh, double pLow, TCurve& curve)
{
    const size_t first = curve.size();
    const double a = std::log(pHigh);
    const double b = std::log(pLow);
    for (int i = 0; i <= kVapourSteps; ++i) {
        const double p = std::exp(a + (b - a) * i / kVapourSteps);
        try {
            const double tsat = lib.DewT(p * kKilo);
            if (tsat > t)
                continue;
            const double h = lib.SuperheatEnthalpy(tsat, t) * kMilli;
            // Gas at a fixed temperature gains enthalpy as its pressure falls; where the
            // superheat fit turns back (far beyond the superheat it was fitted for) the
            // isotherm ends.
            if (curve.size() > first && h < curve.back().h)
                break;
            curve.push_back({h, p});
        } catch (const KelvoraError&) {
        }
    }
}

} // namespace

double TwoPhasePressure(const TRefrigLib& lib, double t, double x)
{
    double hi = lib.BubbleP(t);
    double lo = lib.DewP(t);
    if (x <= 0 || hi <= lo)
        return hi;
    if (x >= 1)
        return lo;
    // The state's temperature rises from bubble to dew with x and falls with the
    // pressure; bisect on the logarithm of the pressure.
    double a = std::log(lo);
    double b = std::log(hi);
    for (int i = 0; i < 40; ++i) {
        const double m = 0.5 * (a + b);
        const double p = std::exp(m);
        const double tb = lib.BubbleT(p);
        const double tAt = tb + x * (lib.DewT(p) - tb);
        if (tAt > t)
            b = m;
        else
            a = m;
    }
    return std::exp(0.5 * (a + b));
}

TChartLines BuildChartLines(TRefrigLib& lib, const TMollierCycle& cycle, TChartUnits units)
{
    TChartLines lines;
    BuildDome(lib, lines);
    if (lines.Bubble.size() < 2)
        throw ArithmeticError("The saturation lines of " + lib.GetName() + " cannot be drawn.");

    TChartRange& r = lines.Whole;
    const double hLiqLow = lines.Bubble.front().h;
    double hVapTop = 0;
    for (const TPH& d : lines.Dew)
        hVapTop = std::max(hVapTop, d.h);
    const double span = hVapTop - hLiqLow;
    r.pMin = std::min(lines.Dew.front().p, cycle.Points[0].p) / 1.25;
    r.pMax = std::max({lines.Bubble.back().p, lines.Dew.back().p, cycle.Points[1].p}) * 1.6;
    r.hMin = std::min(hLiqLow, cycle.Points[2].h) - 0.05 * span;
    r.hMax = std::max({hVapTop + 0.55 * span, cycle.Points[1].h + 0.1 * span, cycle.Isentropic.h + 0.1 * span});

    for (int i = 1; i <= 9; ++i)
        lines.Qualities.push_back({i / 10.0, QualityLine(lib, lines.Bubble, i / 10.0)});

    // Isotherms on round values of the display unit: every 10 °C or every 20 °F.
    const TDisplayUnit tu = TemperatureUnit(units);
    const double step = units == cuImperial ? 20.0 : 10.0;
    const double tLow = lib.Data().TMin;
    const double tHigh = std::max(lines.TTop, std::max(cycle.Points[1].T, cycle.Isentropic.T)) + 40.0;
    const double pTop = std::min(lines.Bubble.back().p, lines.Dew.back().p);
    for (double shown = std::ceil(tu.Show(tLow) / step) * step; tu.Take(shown) <= tHigh; shown += step) {
        const double t = tu.Take(shown);
        TValueCurve iso {t, {}};
        double pStart = pTop;
        if (t <= lines.TTop) {
            try {
                for (int j = 0; j <= kTwoPhaseSteps; ++j) {
                    const double x = static_cast<double>(j) / kTwoPhaseSteps;
                    const double p = TwoPhasePressure(lib, t, x);
                    iso.Curve.push_back({QualityEnthalpy(lib, p, x), p * kMilli});
                }
                pStart = iso.Curve.back().p;
            } catch (const KelvoraError&) {
                iso.Curve.clear();
            }
        }
        iso.VapourFrom = iso.Curve.size();
        // Below the dome's lowest pressure the saturation lies under TMin, where the fits do not reach.
        AppendVapour(lib, t, pStart, lines.Dew.front().p, iso.Curve);
        if (iso.Curve.size() >= 2)
            lines.Isotherms.push_back(std::move(iso));
    }
    return lines;
}
