#include "core/root.h"

#include <cmath>
#include <utility>

TRoot::TRoot(Function f) : f_(std::move(f)) { }

void TRoot::SetFunctions(Function f)
{
    f_ = std::move(f);
}

void TRoot::SetTolerance(int maxIter, double tol)
{
    MaxIter = maxIter;
    Tol = tol;
}

double TRoot::Solve(double x0, double dx)
{
    Iter = 0;
    double ya = f_(x0);
    if (std::fabs(ya) <= Tol) {
        Status = rsConverged;
        return x0;
    }
    double a = x0;
    double b = x0 + dx;
    double yb = f_(b);
    Status = rsRunning;
    while (Status == rsRunning) {
        const double d = b - a;
        if (std::fabs(d) <= 1e-20) {
            Status = rsPointsCoincide;
            break;
        }
        const double s = (yb - ya) / d;
        if (std::fabs(s) < 1e-20) {
            Status = rsFlatSecant;
            break;
        }
        const double c = a - ya / s;
        const double yc = f_(c);
        if (std::fabs(yc) <= Tol) {
            Status = rsConverged;
            return c;
        }
        if (yb * yc < 0.0) {
            a = b;
            ya = yb;
        } else {
            ya = ya / 2.0; // Illinois step: halve the retained end's value
        }
        b = c;
        yb = yc;
        ++Iter;
        if (Iter >= MaxIter)
            Status = rsIterationLimit;
    }
    return a;
}
