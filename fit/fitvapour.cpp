// Saturated and superheated vapour: enthalpy and volume.
#include <cmath>

#include "fit/fitparts.h"
#include "fit/lsq.h"

namespace {

// The fits run in t / 100 and superheat / 100, where every term is of order one.
constexpr double kScale = 100.0;
// Powers of superheat and saturation temperature of the six Poly6 terms.
constexpr int kPowD[6] = {1, 2, 1, 2, 1, 2};
constexpr int kPowT[6] = {0, 0, 1, 1, 2, 2};

double Cubic(const double* c, double x)
{
    return c[0] + x * (c[1] + x * (c[2] + x * c[3]));
}

void Poly6Terms(double d, double t, double* phi)
{
    for (int j = 0; j < 6; ++j)
        phi[j] = Power(d, kPowD[j]) * Power(t, kPowT[j]);
}

// Scaled parameters: cubic c[0..3], then s[0..5].
struct TEnthalpyModel {
    const double* x;
    double offset;

    double Cubic(double t) const { return ::Cubic(x, t / kScale); }
    // The correction Poly6 at (t − tsat, tsat), its six terms into phi.
    double Correction(double tsat, double t, double* phi) const
    {
        Poly6Terms((t - tsat) / kScale, tsat / kScale, phi);
        double p = 0.0;
        for (int j = 0; j < 6; ++j)
            p += x[4 + j] * phi[j];
        return p;
    }
    double H(double tsat, double t) const
    {
        double phi[6];
        return Cubic(tsat) * (1.0 + Correction(tsat, t, phi)) + offset;
    }
    // dH/dx into g[0..9].
    void Gradient(double tsat, double t, double* g) const
    {
        double phi[6];
        const double p = Correction(tsat, t, phi);
        for (int k = 0; k < 4; ++k)
            g[k] = Power(tsat / kScale, k) * (1.0 + p);
        const double c = Cubic(tsat);
        for (int j = 0; j < 6; ++j)
            g[4 + j] = c * phi[j];
    }
};

// Residuals of all fitted states, each divided by its tolerance; x holds the ten
// scaled coefficients and, when it has eleven, the offset last.
void EnthalpyResiduals(const TVapourFitData& data, double offset, const Eigen::VectorXd& x, Eigen::VectorXd& r,
                       Eigen::MatrixXd* j)
{
    const bool withOffset = x.size() == 11;
    const TEnthalpyModel m {x.data(), withOffset ? x[10] : offset};
    const Eigen::Index n = static_cast<Eigen::Index>(data.states.size() + data.rises.size());
    r.resize(n);
    if (j)
        j->resize(n, x.size());
    Eigen::Index i = 0;
    double g[11], g2[11];
    const auto put = [&](double residual, double tol) {
        r[i] = residual / tol;
        if (j)
            for (int k = 0; k < x.size(); ++k)
                (*j)(i, k) = g[k] / tol;
        ++i;
    };
    for (const auto& s : data.states) {
        m.Gradient(s.tSat, s.t, g);
        g[10] = 1.0;
        put(m.H(s.tSat, s.t) - s.h, s.tol);
    }
    for (const auto& c : data.rises) {
        m.Gradient(c.tsd, c.td, g);
        m.Gradient(c.te, c.ts, g2);
        for (int k = 0; k < 10; ++k)
            g[k] -= g2[k];
        g[10] = 0.0;
        put(m.H(c.tsd, c.td) - m.H(c.te, c.ts) - c.dh, c.tol);
    }
}

// The ten coefficients for one offset: a start from the saturated cubic, then all
// ten together.
Eigen::VectorXd FitForOffset(const TVapourFitData& data, double offset)
{
    std::vector<double> ts, hs;
    for (const auto& s : data.states)
        if (s.t == s.tSat) {
            ts.push_back(s.tSat);
            hs.push_back(s.h - offset);
        }
    const auto cubic = FitPolynomial(ts, hs, 3, kScale, false);
    Eigen::VectorXd x = Eigen::VectorXd::Zero(10);
    for (int k = 0; k < 4; ++k)
        x[k] = cubic[k] * Power(kScale, k);
    const auto residuals = [&](const Eigen::VectorXd& p, Eigen::VectorXd& r, Eigen::MatrixXd* j) {
        EnthalpyResiduals(data, offset, p, r, j);
    };
    return MinimiseSquares(residuals, x, 50);
}

double SumSquares(const TVapourFitData& data, double offset, const Eigen::VectorXd& x)
{
    Eigen::VectorXd r;
    EnthalpyResiduals(data, offset, x, r, nullptr);
    return r.squaredNorm();
}

} // namespace

void FitVapourEnthalpy(const TVapourFitData& data, TRefrigData& r)
{
    double h0 = 0.0;
    for (const auto& s : data.states)
        h0 = std::max(h0, s.h);
    // The offset by searching on the least-squares fits; then the smallest largest
    // error, the offset now free with the rest.
    const double offset = SearchMinimum([&](double o) { return SumSquares(data, o, FitForOffset(data, o)); },
                                        -h0, 0.95 * h0, 39, 1e-6 * h0);
    Eigen::VectorXd x(11);
    x << FitForOffset(data, offset), offset;
    x = MinimiseLargest([&](const Eigen::VectorXd& p, Eigen::VectorXd& res,
                            Eigen::MatrixXd* j) { EnthalpyResiduals(data, 0.0, p, res, j); },
                        x);
    for (int k = 0; k < 4; ++k)
        r.vh[k] = x[k] / Power(kScale, k);
    r.vh[4] = x[10];
    for (int j = 0; j < 6; ++j)
        r.sh[j] = x[4 + j] / Power(kScale, kPowD[j] + kPowT[j]);
}

void FitVapourVolume(const std::vector<TSatRow>& sat, const std::vector<TSupRow>& sup, TRefrigData& r)
{
    // Saturated: v = exp(vv0 + vv1 / T) · cubic(t). The exponential's factor and the
    // cubic's size are one degree of freedom: the cubic starts at 1.
    const Eigen::Index n = static_cast<Eigen::Index>(sat.size());
    const auto cubicFor = [&](double b) {
        Eigen::MatrixXd a(n, 4);
        Eigen::VectorXd y(n), w(n);
        for (Eigen::Index i = 0; i < n; ++i) {
            const double e = std::exp(b / (sat[i].t + 273.15));
            for (int k = 0; k < 4; ++k)
                a(i, k) = e * Power(sat[i].t / kScale, k);
            y[i] = sat[i].vVap;
            w[i] = 1.0 / sat[i].vVap;
        }
        return Eigen::Vector4d(SolveLeastSquares(a, y, w));
    };
    const auto residuals = [&](const Eigen::VectorXd& x, Eigen::VectorXd& res, Eigen::MatrixXd* j) {
        res.resize(n);
        if (j)
            j->resize(n, 5);
        for (Eigen::Index i = 0; i < n; ++i) {
            const double u = 1.0 / (sat[i].t + 273.15);
            const double e = std::exp(x[0] * u);
            const double c = Cubic(x.data() + 1, sat[i].t / kScale);
            res[i] = e * c / sat[i].vVap - 1.0;
            if (j) {
                (*j)(i, 0) = u * e * c / sat[i].vVap;
                for (int k = 0; k < 4; ++k)
                    (*j)(i, 1 + k) = e * Power(sat[i].t / kScale, k) / sat[i].vVap;
            }
        }
    };
    const auto sumSquares = [&](double b) {
        const Eigen::Vector4d c = cubicFor(b);
        Eigen::VectorXd x(5), res;
        x << b, c;
        residuals(x, res, nullptr);
        return res.squaredNorm();
    };
    const double b = SearchMinimum(sumSquares, 0.0, 8000.0, 80, 1e-3);
    Eigen::VectorXd x(5);
    x << b, cubicFor(b);
    x = MinimiseSquares(residuals, x);
    r.vv[0] = std::log(x[1]);
    r.vv[1] = x[0];
    for (int k = 0; k < 4; ++k)
        r.vv[2 + k] = x[1 + k] / x[1] / Power(kScale, k);

    // Superheated: v = vsat(tsat) · (1 + Poly6(sv, d, tsat)) with the fitted vsat,
    // linear in sv; the residual is the relative error.
    const Eigen::Index m = static_cast<Eigen::Index>(sup.size());
    Eigen::MatrixXd a(m, 6);
    Eigen::VectorXd y(m);
    for (Eigen::Index i = 0; i < m; ++i) {
        const double vs = std::exp(x[0] / (sup[i].tSat + 273.15)) * Cubic(x.data() + 1, sup[i].tSat / kScale);
        double phi[6];
        Poly6Terms(sup[i].superheat / kScale, sup[i].tSat / kScale, phi);
        for (int k = 0; k < 6; ++k)
            a(i, k) = vs * phi[k] / sup[i].v;
        y[i] = 1.0 - vs / sup[i].v;
    }
    const Eigen::VectorXd s = SolveLeastSquares(a, y);
    for (int j = 0; j < 6; ++j)
        r.sv[j] = s[j] / Power(kScale, kPowD[j] + kPowT[j]);
}
