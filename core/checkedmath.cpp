#include "core/checkedmath.h"

#include <cmath>

#include "core/errors.h"

double CheckFinite(double x)
{
    if (!std::isfinite(x))
        throw ArithmeticError(std::isnan(x) ? "Invalid floating point operation" : "Floating point overflow");
    return x;
}

double CheckedDiv(double n, double d)
{
    if (d == 0.0)
        throw ArithmeticError("Floating point division by zero");
    return CheckFinite(n / d);
}

double CheckedLog(double x)
{
    if (!(x > 0.0))
        throw ArithmeticError("Invalid floating point operation: logarithm of a non-positive number");
    return CheckFinite(std::log(x));
}

double CheckedExp(double x)
{
    return CheckFinite(std::exp(CheckFinite(x)));
}

double CheckedPow(double base, double e)
{
    return CheckFinite(std::pow(base, e));
}
