// The property correlations of the selected refrigerant.
#include "core/refriglib.h"

#include <cmath>

#include "core/checkedmath.h"

namespace {

double Cubic(const double* c, double t)
{
    return CheckFinite(c[0] + t * (c[1] + t * (c[2] + t * c[3])));
}

// exp(a + b / (t + c)): the Antoine-type saturation curve.
double SatPressure(const std::array<double, 3>& c, double t)
{
    return CheckedExp(c[0] + CheckedDiv(c[1], t + c[2]));
}

double SatTemperature(const std::array<double, 3>& c, double p)
{
    return CheckFinite(CheckedDiv(c[1], CheckedLog(p) - c[0]) - c[2]);
}

bool BelowSaturation(double d)
{
    return d + 1e-9 < 0.0;
}

} // namespace

double Poly6(const std::array<double, 6>& c, double x, double y)
{
    return CheckFinite(x * (c[0] + c[1] * x + y * (c[2] + c[3] * x + c[4] * y + c[5] * x * y)));
}

double TRefrigLib::DewP(double t) const { return SatPressure(data_.dp, t); }
double TRefrigLib::DewT(double p) const { return SatTemperature(data_.dp, p); }
double TRefrigLib::BubbleP(double t) const { return SatPressure(data_.bp, t); }
double TRefrigLib::BubbleT(double p) const { return SatTemperature(data_.bp, p); }
double TRefrigLib::GetPCrit() const { return CheckFinite(data_.PCrit * 1000.0); }
double TRefrigLib::GetTCrit() const { return data_.TCrit; }
double TRefrigLib::GetTBoil() const { return data_.TBoil; }
double TRefrigLib::Glide(double p) const { return CheckFinite(DewT(p) - BubbleT(p)); }

double TRefrigLib::SatLiqVolume(double t) const { return Cubic(data_.lv.data(), t); }
double TRefrigLib::SatLiqEnthalpy(double t) const { return Cubic(data_.lh.data(), t); }
double TRefrigLib::VapEnthalpyCubic(double t) const { return Cubic(data_.vh.data(), t); }
double TRefrigLib::SatVapEnthalpy(double t) const { return CheckFinite(VapEnthalpyCubic(t) + data_.vh[4]); }
double TRefrigLib::LatentHeat(double t) const { return CheckFinite(SatVapEnthalpy(t) - SatLiqEnthalpy(t)); }

double TRefrigLib::SatVapVolume(double t) const
{
    const auto& v = data_.vv;
    const double factor = CheckedExp(v[0] + CheckedDiv(v[1], t + 273.15));
    return CheckFinite(factor * (v[2] + t * (v[3] + t * (v[4] + t * v[5]))));
}

double TRefrigLib::SuperheatEnthalpy(double tsat, double t)
{
    const double d = t - tsat;
    if (BelowSaturation(d))
        LastWarning = rwNegativeSuperheat;
    // The correction scales the cubic only; the offset vh[4] stays as it is.
    return CheckFinite(VapEnthalpyCubic(tsat) * (1.0 + Poly6(data_.sh, d, tsat)) + data_.vh[4]);
}

double TRefrigLib::SuperheatVolume(double p, double t)
{
    const double tsat = DewT(p);
    const double d = t - tsat;
    if (BelowSaturation(d))
        LastWarning = rwNegativeSuperheat;
    return CheckFinite(SatVapVolume(tsat) * (1.0 + Poly6(data_.sv, d, tsat)));
}

double TRefrigLib::EnthalpyResidual(double t)
{
    return CheckFinite(residualH_ - SuperheatEnthalpy(residualTSat_, t));
}

double TRefrigLib::SuperheatTemp(double p, double h)
{
    const double tsat = DewT(p);
    residualTSat_ = tsat;
    residualH_ = h;
    const double t = root_.Solve(tsat, 5.0);
    if (root_.Status != rsConverged)
        LastWarning = rwNoConvergence;
    return t;
}

double TRefrigLib::IsenExponent0(double te, double lift) const
{
    const auto& c = data_.ic;
    return CheckFinite(c[0] + te * (c[1] + c[2] * te + lift * (c[3] + c[4] * te + c[5] * lift + c[6] * te * lift)) +
                       c[7] * lift);
}

double TRefrigLib::IsenExponent(double te, double sh, double lift) const
{
    const auto& c = data_.sc;
    return CheckFinite(IsenExponent0(te, lift) * (1.0 + sh * (c[0] + c[1] * sh + te * (c[2] + c[3] * sh))));
}

double TRefrigLib::IsenWork(double k, double ps, double vs, double pd)
{
    const double e = CheckedDiv(k - 1.0, k);
    const double ratio = CheckedPow(CheckedDiv(pd, ps), e);
    return CheckedDiv((ratio - 1.0) * ps * vs, e);
}

double TRefrigLib::IsenRise(double te, double tc, double ts)
{
    const double ps = DewP(te);
    const double pd = DewP(tc); // the dew curve serves for both pressures
    const double lift = tc - te;
    if (lift + 1e-9 < 0.0)
        LastWarning = rwNegativeLift;
    const double sh = ts - te;
    if (BelowSaturation(sh))
        LastWarning = rwNegativeSuperheat;
    const double k = IsenExponent(te, sh, lift);
    const double vs = SuperheatVolume(ps, ts);
    return IsenWork(k, ps, vs, pd);
}
