// The isentropic exponent at saturated suction and its superheat correction.
#include <cmath>

#include "fit/fitparts.h"
#include "fit/lsq.h"

namespace {

constexpr double kScale = 100.0;
// Tolerances of the joint fit: relative error of the rise and of the COP.
constexpr double kRiseTol = 0.01;
constexpr double kCopTol = 0.006;
// Powers of te and lift of the eight terms of ic, in coefficient order.
constexpr int kIcPowT[8] = {0, 1, 2, 1, 2, 1, 2, 0};
constexpr int kIcPowL[8] = {0, 0, 0, 1, 1, 2, 2, 1};
// Powers of superheat and te of the four terms of sc.
constexpr int kScPowS[4] = {1, 2, 1, 2};
constexpr int kScPowT[4] = {0, 0, 1, 1};

// One isentropic row as the correlations see it.
struct TIsenCase {
    double te, sh, lift;
    double ps, pd, vs;
    double dh;
    double k; // the exponent that reproduces dh
};

// W / (ps·vs) = ((pd/ps)^e − 1) / e with e = (k − 1) / k.
double ReducedWork(double e, double ratio)
{
    return std::abs(e) < 1e-12 ? std::log(ratio) : (std::pow(ratio, e) - 1.0) / e;
}

double Work(const TIsenCase& c, double k)
{
    return c.ps * c.vs * ReducedWork((k - 1.0) / k, c.pd / c.ps);
}

// d ln W / dk: how a change of the exponent shows in the relative rise.
double Sensitivity(const TIsenCase& c, double k)
{
    const double h = 1e-7 * k;
    return (std::log(Work(c, k + h)) - std::log(Work(c, k - h))) / (2.0 * h);
}

void IcTerms(const TIsenCase& c, double* terms)
{
    const double t = c.te / kScale, l = c.lift / kScale;
    for (int j = 0; j < 8; ++j)
        terms[j] = Power(t, kIcPowT[j]) * Power(l, kIcPowL[j]);
}

void ScTerms(const TIsenCase& c, double* terms)
{
    const double t = c.te / kScale, s = c.sh / kScale;
    for (int j = 0; j < 4; ++j)
        terms[j] = Power(s, kScPowS[j]) * Power(t, kScPowT[j]);
}

// The exponent of the scaled coefficients x = (ic[0..7], sc[0..3]).
double Exponent(const TIsenCase& c, const Eigen::VectorXd& x, double* k0 = nullptr)
{
    double ti[8], ts[4];
    IcTerms(c, ti);
    ScTerms(c, ts);
    double base = 0.0, q = 0.0;
    for (int j = 0; j < 8; ++j)
        base += x[j] * ti[j];
    for (int j = 0; j < 4; ++j)
        q += x[8 + j] * ts[j];
    if (k0)
        *k0 = base;
    return base * (1.0 + q);
}

} // namespace

void FitIsentropicExponent(const std::vector<TIsenRow>& rows, const std::vector<double>& effectRatio,
                           TRefrigLib& lib, TRefrigData& r)
{
    std::vector<TIsenCase> cases;
    for (const auto& row : rows) {
        TIsenCase c {};
        c.te = row.te;
        c.sh = row.superheat;
        c.lift = row.tc - row.te;
        c.dh = row.dh;
        // The pressures and the suction volume that IsenRise will use.
        c.ps = lib.DewP(row.te);
        c.pd = lib.DewP(row.tc);
        c.vs = lib.SuperheatVolume(c.ps, row.te + row.superheat);
        const double ratio = c.pd / c.ps;
        const double target = c.dh / (c.ps * c.vs);
        const double e = FindRoot([&](double x) { return ReducedWork(x, ratio) - target; }, -0.9, 0.95);
        c.k = 1.0 / (1.0 - e);
        cases.push_back(c);
    }

    // ic from the rows without superheat, sc from the rest, each linear in its
    // coefficients and weighted so that an error in k counts as the relative
    // error of the rise it makes.
    Eigen::VectorXd x = Eigen::VectorXd::Zero(12);
    std::vector<const TIsenCase*> saturated, superheated;
    for (const auto& c : cases)
        (c.sh == 0.0 ? saturated : superheated).push_back(&c);
    {
        const Eigen::Index n = static_cast<Eigen::Index>(saturated.size());
        Eigen::MatrixXd a(n, 8);
        Eigen::VectorXd y(n), w(n);
        for (Eigen::Index i = 0; i < n; ++i) {
            const TIsenCase& c = *saturated[i];
            double terms[8];
            IcTerms(c, terms);
            for (int j = 0; j < 8; ++j)
                a(i, j) = terms[j];
            y[i] = c.k;
            w[i] = Sensitivity(c, c.k);
        }
        x.head(8) = SolveLeastSquares(a, y, w);
    }
    if (!superheated.empty()) {
        const Eigen::Index n = static_cast<Eigen::Index>(superheated.size());
        Eigen::MatrixXd a(n, 4);
        Eigen::VectorXd y(n), w(n);
        for (Eigen::Index i = 0; i < n; ++i) {
            const TIsenCase& c = *superheated[i];
            double k0 = 0.0, terms[4];
            Exponent(c, x, &k0);
            ScTerms(c, terms);
            for (int j = 0; j < 4; ++j)
                a(i, j) = terms[j];
            y[i] = c.k / k0 - 1.0;
            w[i] = Sensitivity(c, c.k) * k0;
        }
        x.tail(4) = SolveLeastSquares(a, y, w);
    }

    // Both together, to the smallest largest error of the rise and of the COP
    // it gives, each against its tolerance.
    const auto residuals = [&](const Eigen::VectorXd& p, Eigen::VectorXd& res, Eigen::MatrixXd* j) {
        const Eigen::Index n = static_cast<Eigen::Index>(cases.size());
        res.resize(2 * n);
        if (j)
            j->resize(2 * n, 12);
        for (Eigen::Index i = 0; i < n; ++i) {
            const TIsenCase& c = cases[i];
            double k0 = 0.0;
            const double k = Exponent(c, p, &k0);
            const double ratio = Work(c, k) / c.dh;
            const double q = effectRatio[i];
            res[i] = (ratio - 1.0) / kRiseTol;
            res[n + i] = (q / ratio - 1.0) / kCopTol;
            if (j) {
                double ti[8], ts[4];
                IcTerms(c, ti);
                ScTerms(c, ts);
                // d ratio / dk, then through k to the coefficients
                const double dk = Sensitivity(c, k) * ratio;
                for (int m = 0; m < 12; ++m) {
                    const double dkdp = m < 8 ? ti[m] * (k / k0) : k0 * ts[m - 8];
                    (*j)(i, m) = dk * dkdp / kRiseTol;
                    (*j)(n + i, m) = -q / (ratio * ratio) * dk * dkdp / kCopTol;
                }
            }
        }
    };
    x = MinimiseLargest(residuals, x);

    for (int j = 0; j < 8; ++j)
        r.ic[j] = x[j] / Power(kScale, kIcPowT[j] + kIcPowL[j]);
    for (int j = 0; j < 4; ++j)
        r.sc[j] = x[8 + j] / Power(kScale, kScPowS[j] + kScPowT[j]);
}
