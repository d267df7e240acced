#include "core/numeric.h"

#include <cmath>

bool Between(double a, double x, double b)
{
    return (x > a && x < b) || (x < a && x > b);
}

int Sign(double x)
{
    return x >= 0.0 ? 1 : -1;
}

double SafeDiv(double n, double d, double big)
{
    if (d == 0.0)
        return Sign(n) * big;
    const double q = n / d;
    if (!std::isfinite(q))
        return Sign(n) * big / Sign(d);
    return q;
}
