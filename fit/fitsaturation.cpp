// Polynomials and the saturation curves.
#include <cmath>

#include "fit/fitparts.h"
#include "fit/lsq.h"

std::vector<double> FitPolynomial(const std::vector<double>& xs, const std::vector<double>& ys, int degree,
                                  double scale, bool relative)
{
    const Eigen::Index n = static_cast<Eigen::Index>(xs.size());
    Eigen::MatrixXd a(n, degree + 1);
    Eigen::VectorXd b(n), w(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        double term = 1.0;
        for (int k = 0; k <= degree; ++k, term *= xs[i] / scale)
            a(i, k) = term;
        b[i] = ys[i];
        w[i] = relative ? 1.0 / std::abs(ys[i]) : 1.0;
    }
    const Eigen::VectorXd c = SolveLeastSquares(a, b, w);
    std::vector<double> coefficients(degree + 1);
    for (int k = 0; k <= degree; ++k)
        coefficients[k] = c[k] / Power(scale, k);
    return coefficients;
}

std::array<double, 3> FitSaturationCurve(const std::vector<double>& ts, const std::vector<double>& ps)
{
    const Eigen::Index n = static_cast<Eigen::Index>(ts.size());
    Eigen::VectorXd lnp(n);
    for (Eigen::Index i = 0; i < n; ++i)
        lnp[i] = std::log(ps[i]);

    // For a trial c: ln p = a + b / (t + c) is linear in a and b.
    const auto linear = [&](double c) {
        Eigen::MatrixXd m(n, 2);
        for (Eigen::Index i = 0; i < n; ++i) {
            m(i, 0) = 1.0;
            m(i, 1) = 1.0 / (ts[i] + c);
        }
        return SolveLeastSquares(m, lnp);
    };
    const auto residuals = [&](const Eigen::VectorXd& x, Eigen::VectorXd& r, Eigen::MatrixXd* j) {
        r.resize(n);
        if (j)
            j->resize(n, 3);
        for (Eigen::Index i = 0; i < n; ++i) {
            const double u = 1.0 / (ts[i] + x[2]);
            const double ratio = std::exp(x[0] + x[1] * u - lnp[i]);
            r[i] = ratio - 1.0; // relative error of the pressure
            if (j) {
                (*j)(i, 0) = ratio;
                (*j)(i, 1) = ratio * u;
                (*j)(i, 2) = -ratio * x[1] * u * u;
            }
        }
    };
    const auto sumSquares = [&](double c) {
        const Eigen::VectorXd ab = linear(c);
        Eigen::VectorXd r;
        residuals(Eigen::Vector3d(ab[0], ab[1], c), r, nullptr);
        return r.squaredNorm();
    };
    // Antoine's constant lies well above the range for refrigerants (about 230 to
    // 270 K in °C terms); it must stay above −t everywhere in the data.
    const double lowest = 1.0 - *std::min_element(ts.begin(), ts.end());
    const double c = SearchMinimum(sumSquares, std::max(lowest, 100.0), 600.0, 250, 1e-6);
    const Eigen::VectorXd ab = linear(c);
    // From the least-squares curve to the one of the smallest largest error.
    Eigen::VectorXd x = MinimiseSquares(residuals, Eigen::Vector3d(ab[0], ab[1], c));
    x = MinimiseLargest(residuals, x);
    return {x[0], x[1], x[2]};
}
