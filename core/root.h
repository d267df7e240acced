#pragma once

#include <cstdint>
#include <functional>

// Outcome codes of TRoot::Solve; the numbers are fixed and shown to users in tests.
enum TRootStatus : std::uint8_t {
    rsRunning = 0,         // never seen after Solve returns
    rsConverged = 4,       // |f(x)| <= Tol at the returned point
    rsIterationLimit = 8,  // MaxIter iterations without convergence
    rsPointsCoincide = 11, // the two working points are within 1e-20
    rsFlatSecant = 14,     // the secant slope is below 1e-20 in magnitude
};

// One-dimensional root finder: false position with the Illinois modification,
// started from two points (x0 and x0 + dx) without requiring a bracket.
class TRoot {
public:
    using Function = std::function<double(double)>;

    explicit TRoot(Function f = {});

    void SetFunctions(Function f);
    void SetTolerance(int maxIter, double tol);

    // Searches a root from x0 with first step dx. On status 8, 11 or 14 the
    // retained end point is returned, not the latest estimate.
    double Solve(double x0, double dx);

    int MaxIter = 50;
    double Tol = 1e-6;
    int Iter = 0;
    TRootStatus Status = rsRunning;

private:
    Function f_;
};
