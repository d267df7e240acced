#pragma once

#include <functional>

#include <Eigen/Dense>

// Least-squares tools of the fitting program.

// Minimises |diag(w)·(A·x − b)|² (w = 1 when empty). Columns are scaled to unit
// length first and a rank-deficient design gives the least-norm solution in the
// scaled columns, so that a term the data cannot determine stays small.
Eigen::VectorXd SolveLeastSquares(const Eigen::MatrixXd& a, const Eigen::VectorXd& b,
                                  const Eigen::VectorXd& w = Eigen::VectorXd());

// Residuals r(x) and, when J is given, their Jacobian dr/dx.
using TResidualFunction = std::function<void(const Eigen::VectorXd& x, Eigen::VectorXd& r, Eigen::MatrixXd* j)>;

// Levenberg–Marquardt from x: minimises |r(x)|². Stops when a step no longer
// lowers the sum of squares by a relative 1e-15, or after maxIter steps.
Eigen::VectorXd MinimiseSquares(const TResidualFunction& f, Eigen::VectorXd x, int maxIter = 100);

// Minimises the largest |r_i| (a minimax fit) from x by reweighted least squares:
// each round weights every residual by the size it had in the round before
// (Lawson's rule), so that the largest ones are pulled down. Returns the point of
// the smallest largest residual met.
Eigen::VectorXd MinimiseLargest(const TResidualFunction& f, Eigen::VectorXd x, int rounds = 30);

// Minimum of f on [lo, hi]: f sampled at `steps` + 1 even points, then a golden
// section search between the neighbours of the best sample, to `tol`.
double SearchMinimum(const std::function<double(double)>& f, double lo, double hi, int steps, double tol);

// Root of a monotonic f on [lo, hi] by bisection with a secant step, to a
// relative 1e-15; requires a sign change.
double FindRoot(const std::function<double(double)>& f, double lo, double hi);

// x^n for a small whole n ≥ 0, by multiplication.
inline double Power(double x, int n)
{
    double p = 1.0;
    for (int i = 0; i < n; ++i)
        p *= x;
    return p;
}

// Largest absolute and root-mean-square value.
struct TDeviation {
    double max = 0;
    double sumSquares = 0;
    int count = 0;
    void Add(double d);
    double Rms() const;
};
