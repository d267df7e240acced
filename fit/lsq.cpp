#include "fit/lsq.h"

#include <cmath>

#include "core/errors.h"

Eigen::VectorXd SolveLeastSquares(const Eigen::MatrixXd& a, const Eigen::VectorXd& b, const Eigen::VectorXd& w)
{
    Eigen::MatrixXd aw = a;
    Eigen::VectorXd bw = b;
    if (w.size() > 0) {
        aw = w.asDiagonal() * a;
        bw = w.cwiseProduct(b);
    }
    Eigen::VectorXd scale = aw.colwise().norm().transpose();
    for (Eigen::Index i = 0; i < scale.size(); ++i)
        if (scale[i] == 0.0)
            scale[i] = 1.0;
    aw = aw * scale.cwiseInverse().asDiagonal();
    Eigen::CompleteOrthogonalDecomposition<Eigen::MatrixXd> cod(aw);
    cod.setThreshold(1e-13);
    Eigen::VectorXd x = cod.solve(bw);
    return x.cwiseQuotient(scale);
}

Eigen::VectorXd MinimiseSquares(const TResidualFunction& f, Eigen::VectorXd x, int maxIter)
{
    Eigen::VectorXd r;
    Eigen::MatrixXd j;
    f(x, r, &j);
    double ss = r.squaredNorm();
    double lambda = 1e-6;
    for (int iter = 0; iter < maxIter && ss > 0.0; ++iter) {
        // Marquardt's damping along the diagonal of JᵀJ; the normal equations are
        // formed once per iteration, so that every trial damping is cheap.
        const Eigen::MatrixXd jtj = j.transpose() * j;
        const Eigen::VectorXd g = -(j.transpose() * r);
        Eigen::VectorXd d = jtj.diagonal();
        for (Eigen::Index i = 0; i < d.size(); ++i)
            if (d[i] <= 0.0)
                d[i] = 1.0;
        bool improved = false;
        while (lambda < 1e12) {
            Eigen::MatrixXd damped = jtj;
            damped.diagonal() += lambda * d;
            const Eigen::VectorXd step = damped.ldlt().solve(g);
            const Eigen::VectorXd trial = x + step;
            Eigen::VectorXd rt;
            f(trial, rt, nullptr);
            const double sst = rt.allFinite() ? rt.squaredNorm() : INFINITY;
            if (sst < ss) {
                const double gain = (ss - sst) / ss;
                x = trial;
                ss = sst;
                lambda = std::max(lambda * 0.1, 1e-12);
                improved = gain > 1e-15;
                break;
            }
            lambda *= 10.0;
        }
        if (!improved)
            break;
        f(x, r, &j);
    }
    return x;
}

Eigen::VectorXd MinimiseLargest(const TResidualFunction& f, Eigen::VectorXd x, int rounds)
{
    Eigen::VectorXd r;
    f(x, r, nullptr);
    Eigen::VectorXd w = Eigen::VectorXd::Ones(r.size());
    Eigen::VectorXd best = x;
    double bestMax = r.cwiseAbs().maxCoeff();
    for (int round = 0; round < rounds && bestMax > 0.0; ++round) {
        const Eigen::VectorXd root = w.cwiseSqrt();
        const auto weighted = [&](const Eigen::VectorXd& p, Eigen::VectorXd& rw, Eigen::MatrixXd* j) {
            f(p, rw, j);
            rw = rw.cwiseProduct(root);
            if (j)
                *j = root.asDiagonal() * *j;
        };
        x = MinimiseSquares(weighted, x, 20);
        f(x, r, nullptr);
        const double largest = r.cwiseAbs().maxCoeff();
        if (largest < bestMax) {
            bestMax = largest;
            best = x;
        }
        // A small floor keeps every point in play: a weight that reached zero
        // would never come back.
        w = w.cwiseProduct(r.cwiseAbs());
        w /= w.mean();
        w = w.cwiseMax(1e-6);
    }
    return best;
}

double SearchMinimum(const std::function<double(double)>& f, double lo, double hi, int steps, double tol)
{
    const double dx = (hi - lo) / steps;
    int best = 0;
    double bestValue = INFINITY;
    for (int i = 0; i <= steps; ++i) {
        const double v = f(lo + i * dx);
        if (v < bestValue) {
            bestValue = v;
            best = i;
        }
    }
    double a = lo + std::max(best - 1, 0) * dx;
    double b = lo + std::min(best + 1, steps) * dx;
    const double g = (std::sqrt(5.0) - 1.0) / 2.0;
    double c = b - g * (b - a), d = a + g * (b - a);
    double fc = f(c), fd = f(d);
    while (b - a > tol) {
        if (fc < fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - g * (b - a);
            fc = f(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + g * (b - a);
            fd = f(d);
        }
    }
    const double x = (a + b) / 2.0;
    return f(x) <= bestValue ? x : lo + best * dx;
}

double FindRoot(const std::function<double(double)>& f, double lo, double hi)
{
    double flo = f(lo), fhi = f(hi);
    if (flo == 0.0)
        return lo;
    if (fhi == 0.0)
        return hi;
    if ((flo < 0.0) == (fhi < 0.0))
        throw ArithmeticError("no sign change between the search limits");
    for (int i = 0; i < 200 && hi - lo > 1e-15 * std::max(std::abs(lo), std::abs(hi)); ++i) {
        double x = lo - flo * (hi - lo) / (fhi - flo);
        // A secant step that creeps along one end is replaced by the midpoint.
        if (!(x > lo + 0.01 * (hi - lo) && x < hi - 0.01 * (hi - lo)))
            x = (lo + hi) / 2.0;
        const double fx = f(x);
        if (fx == 0.0)
            return x;
        if ((fx < 0.0) == (flo < 0.0)) {
            lo = x;
            flo = fx;
        } else {
            hi = x;
            fhi = fx;
        }
    }
    return std::abs(flo) < std::abs(fhi) ? lo : hi;
}

void TDeviation::Add(double d)
{
    max = std::max(max, std::abs(d));
    sumSquares += d * d;
    ++count;
}

double TDeviation::Rms() const
{
    return count > 0 ? std::sqrt(sumSquares / count) : 0.0;
}
