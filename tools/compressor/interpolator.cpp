#include "tools/compressor/interpolator.h"

#include <algorithm>
#include <cmath>

#include "core/errors.h"
#include "core/numeric.h"

namespace {

constexpr const char* kStatusNames[] = {"No error", "Invalid data", "Range warning", "Out of range"};

// The table reaches the cell at (i, j) and its right and upper neighbours.
template <class T>
void CheckShape(const std::vector<std::vector<T>>& m, std::size_t rows, std::size_t cols)
{
    if (m.size() < rows)
        ThrowListIndex(static_cast<long long>(m.size()));
    for (std::size_t r = 0; r < rows; ++r)
        if (m[r].size() < cols)
            ThrowListIndex(static_cast<long long>(m[r].size()));
}

bool HasFraction(double g)
{
    return g != std::floor(g);
}

} // namespace

double Poly2(const TPolyCoefs& c, double te, double tc)
{
    return (c[2] * te + c[1]) * te + c[0] + (c[4] * tc + c[3]) * tc +
        te * tc * (c[6] * te + c[5] + c[7] * tc + c[8] * te * tc);
}

std::string StatusName(int status)
{
    return status >= 0 && status <= isOutOfRange ? kStatusNames[status] : "";
}

TAxisFraction AxisFraction(const TDoubleDynArray& v, double x)
{
    const std::size_t n = v.size();
    if (n < 2)
        ThrowListIndex(1);
    std::size_t k = 0;
    if (v[0] < v[1]) {
        while (k < n - 2 && x >= v[k] && !(v[k] <= x && x <= v[k + 1]))
            ++k;
    } else {
        while (k < n - 2 && x <= v[k] && !(v[k + 1] <= x && x <= v[k]))
            ++k;
    }
    // Two equal axis values give the fraction 0 rather than a division fault.
    return {static_cast<int>(k), SafeDiv(x - v[k], v[k + 1] - v[k], 0.0)};
}

void TInterpolator::CheckRange(double& t)
{
    if (std::fabs(t) > 2)
        Status = isOutOfRange;
    else if (t < -0.5 || t > 1.5)
        Status = isRangeWarning;
    t = std::clamp(t, -3.0, 3.0);
}

void TInterpolator::Locate(const TDoubleDynArray& teAxis, const TDoubleDynArray& tcAxis, const TIntMat& cellFlags,
                           const TFloatMat& table, double te, double tc)
{
    i = j = 0;
    fe = fc = 0;
    Status = isNoError;
    const std::size_t nte = teAxis.size();
    const std::size_t ntc = tcAxis.size();
    CheckShape(table, ntc, nte);
    CheckShape(cellFlags, ntc, nte);

    const TAxisFraction e = AxisFraction(teAxis, te);
    i = e.index;
    fe = e.fraction;
    CheckRange(fe);
    const TAxisFraction c = AxisFraction(tcAxis, tc);
    j = c.index;
    fc = c.fraction;
    // The tc check comes last and its verdict replaces that of te.
    CheckRange(fc);
    if (Status != isNoError)
        return;

    const auto bad = [&](int r, int col) { return table[r][col] == kMissingValue || cellFlags[r][col] != 0; };
    const bool a = bad(j, i), b = bad(j, i + 1), cc = bad(j + 1, i), d = bad(j + 1, i + 1);
    if (!a && !b && !cc && !d)
        return;

    // The point's nearest node, halves to even; a point at the edge of the allowed
    // band can round one past the last node, which is kept inside the grid.
    const double ge = i + fe;
    const double gc = j + fc;
    const auto ni = static_cast<std::size_t>(std::clamp(std::nearbyint(ge), 0.0, double(nte - 1)));
    const auto nj = static_cast<std::size_t>(std::clamp(std::nearbyint(gc), 0.0, double(ntc - 1)));
    if (table[nj][ni] == kMissingValue) {
        Status = isInvalidData;
        return;
    }

    const bool lowRowBad = a || b;
    const bool highRowBad = cc || d;
    const bool lowColBad = a || cc;
    const bool highColBad = b || d;
    const bool offTe = HasFraction(ge);
    const bool offTc = HasFraction(gc);
    if ((offTe && offTc && (lowRowBad || highRowBad)) || (offTc && lowColBad && fe == 0) ||
        (offTc && highColBad && fe == 1) || (offTe && lowRowBad && fc == 0) || (offTe && highRowBad && fc == 1))
        Status = isInvalidData;
    else if (!offTe && !offTc &&
             ((fc == 0 && fe == 0 && lowRowBad && lowColBad) || (fc == 0 && fe == 1 && lowRowBad && highColBad) ||
              (fc == 1 && fe == 0 && highRowBad && lowColBad) || (fc == 1 && fe == 1 && highRowBad && highColBad)))
        Status = isInvalidData;
}

double TInterpolator::Evaluate(const TFloatMat& z) const
{
    CheckShape(z, static_cast<std::size_t>(j) + 2, static_cast<std::size_t>(i) + 2);
    const double a = z[j][i], b = z[j][i + 1], c = z[j + 1][i], d = z[j + 1][i + 1];
    const double e1 = a + (c - a) * fc;
    const double e2 = b + (d - b) * fc;
    const double r1 = e1 + (e2 - e1) * fe; // condensing direction first
    const double g1 = a + fe * (b - a);
    const double g2 = c + fe * (d - c);
    const double r2 = g1 + fc * (g2 - g1); // evaporating direction first
    return (r1 + r2) / 2;
}
