// Polynomial data, the segment search and the table lookup with its status rules.
#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "tools/compressor/interpolator.h"

namespace {

const TDoubleDynArray kTe = {0, 10, 20};
const TDoubleDynArray kTc = {30, 40, 50};

TFloatMat Table(double missingAt = -1)
{
    // value = te + 100 tc at every node; missingAt = j * 3 + i marks one node -99.
    TFloatMat z(3, TDoubleDynArray(3));
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            z[j][i] = j * 3 + i == missingAt ? kMissingValue : kTe[i] + 100 * kTc[j];
    return z;
}

TIntMat Flags(int flaggedAt = -1)
{
    TIntMat f(3, std::vector<std::int32_t>(3, 0));
    if (flaggedAt >= 0)
        f[flaggedAt / 3][flaggedAt % 3] = 1;
    return f;
}

} // namespace

TEST(Poly2, IsTheNineTermPolynomialInTeAndTc)
{
    const TPolyCoefs c = {1.5, -0.3, 0.02, 0.7, -0.011, 0.004, -0.0003, 0.00021, 0.0000017};
    for (double te : {-30.0, 0.0, 7.5})
        for (double tc : {25.0, 45.0}) {
            const double sum = c[0] + c[1] * te + c[2] * te * te + c[3] * tc + c[4] * tc * tc + c[5] * te * tc +
                c[6] * te * te * tc + c[7] * te * tc * tc + c[8] * te * te * tc * tc;
            EXPECT_NEAR(Poly2(c, te, tc), sum, 1e-12 * std::fabs(sum));
        }
}

TEST(AxisFraction, FindsTheSegmentOnAscendingDescendingAndFlatAxes)
{
    const struct {
        TDoubleDynArray axis;
        double x;
        int index;
        double fraction;
    } cases[] = {
        {{0, 10, 20}, 5, 0, 0.5},
        {{0, 10, 20}, 10, 0, 1.0}, // a shared node belongs to the first segment
        {{0, 10, 20}, 15, 1, 0.5},
        {{0, 10, 20}, -5, 0, -0.5},
        {{0, 10, 20}, 25, 1, 1.5},
        {{20, 10, 0}, 15, 0, 0.5},
        {{20, 10, 0}, 5, 1, 0.5},
        {{20, 10, 0}, 25, 0, -0.5},
        {{20, 10, 0}, -10, 1, 2.0},
        {{10, 10, 20}, 10, 0, 0.0}, // two equal values: fraction 0, no division fault
        {{10, 10, 20}, 15, 0, 0.0},
        {{0, 10, 10, 20}, 15, 2, 0.5},
    };
    for (const auto& c : cases) {
        const TAxisFraction f = AxisFraction(c.axis, c.x);
        EXPECT_EQ(f.index, c.index) << c.x;
        EXPECT_DOUBLE_EQ(f.fraction, c.fraction) << c.x;
    }
    EXPECT_THROW(AxisFraction({5}, 5), ListIndexError);
}

TEST(Locate, RangeChecksOnBothAxesTheCondensingCheckLast)
{
    const struct {
        double te, tc;
        int status;
        double fe, fc;
    } cases[] = {
        {5, 35, isNoError, 0.5, 0.5},
        {-4, 35, isNoError, -0.4, 0.5},
        {-6, 35, isRangeWarning, -0.6, 0.5},   // more than half a cell before the grid
        {-21, 35, isOutOfRange, -2.1, 0.5},    // more than two cells before
        {-31, 35, isOutOfRange, -3.0, 0.5},    // more than three: the fraction is held
        {26, 35, isRangeWarning, 1.6, 0.5},    // more than half a cell beyond
        {31, 35, isOutOfRange, 2.1, 0.5},      // more than one cell beyond
        {41, 35, isOutOfRange, 3.0, 0.5},      // more than two: held
        {-21, 24, isRangeWarning, -2.1, -0.6}, // te out of range, tc within the warning band: tc's verdict wins
        {-6, 55, isRangeWarning, -0.6, 1.5},   // tc at the edge of its band sets nothing: te's warning stays
        {5, 80, isOutOfRange, 0.5, 3.0},
    };
    for (const auto& c : cases) {
        TInterpolator t;
        t.Locate(kTe, kTc, Flags(), Table(), c.te, c.tc);
        EXPECT_EQ(t.Status, c.status) << c.te << " " << c.tc;
        EXPECT_NEAR(t.fe, c.fe, 1e-12) << c.te;
        EXPECT_NEAR(t.fc, c.fc, 1e-12) << c.tc;
    }
}

TEST(Locate, MissingAndFlaggedCornersAndTheNearestNode)
{
    // Node numbers j * 3 + i: 1 is te = 10, tc = 30.
    const struct {
        const char* what;
        int missing, flagged;
        double te, tc;
        int status;
    } cases[] = {
        {"inside a cell with a missing corner", 1, -1, 5, 35, isInvalidData},
        {"inside a cell with a flagged corner", -1, 1, 5, 35, isInvalidData},
        {"on the grid line through two good corners", 1, -1, 0, 35, isNoError},
        {"on the grid line through the missing corner", 1, -1, 10, 35, isInvalidData},
        {"on the good node next to a missing one", 1, -1, 0, 30, isNoError},
        {"on the row line beside a missing corner", 1, -1, 5, 30, isInvalidData},
        {"nearest node missing", 1, -1, 9, 31, isInvalidData},
        {"on a flagged node", -1, 0, 0, 30, isInvalidData},
        {"a good cell away from the missing node", 8, -1, 5, 35, isNoError},
    };
    for (const auto& c : cases) {
        TInterpolator t;
        t.Locate(kTe, kTc, Flags(c.flagged), Table(c.missing), c.te, c.tc);
        EXPECT_EQ(t.Status, c.status) << c.what;
    }

    // The good node's own value, though a corner of its cell is missing.
    TInterpolator t;
    t.Locate(kTe, kTc, Flags(), Table(1), 0, 30);
    EXPECT_EQ(t.Evaluate(Table(1)), 3000);
}

TEST(Locate, NearestNodeAtTheEdgeOfTheBandStaysInsideTheGrid)
{
    // te = 15 on {0, 10} is fraction 1.5: not yet a warning, and i + fe = 1.5 rounds
    // to 2, one past the last node; the lookup keeps to node 1.
    const TDoubleDynArray te = {0, 10};
    const TDoubleDynArray tc = {30, 40};
    TFloatMat z = {{1, kMissingValue}, {3, 4}};
    TInterpolator t;
    t.Locate(te, tc, TIntMat(2, std::vector<std::int32_t>(2, 0)), z, 15, 30);
    EXPECT_EQ(t.fe, 1.5);
    EXPECT_EQ(t.Status, isInvalidData);

    EXPECT_THROW(t.Locate(te, tc, TIntMat(1, std::vector<std::int32_t>(2, 0)), z, 5, 35), ListIndexError);
}

TEST(Evaluate, InterpolatesAndExtrapolatesInBothDirections)
{
    const struct {
        double te, tc;
    } points[] = {{5, 35}, {0, 30}, {20, 50}, {13, 47}, {-8, 35}, {27, 58}};
    for (const auto& p : points) {
        TInterpolator t;
        t.Locate(kTe, kTc, Flags(), Table(), p.te, p.tc);
        EXPECT_NEAR(t.Evaluate(Table()), p.te + 100 * p.tc, 1e-9) << p.te << " " << p.tc;
    }
    // A saddle, where the interpolation is not linear: the bilinear value.
    TFloatMat z = {{0, 10, 0}, {10, 0, 10}, {0, 10, 0}};
    TInterpolator t;
    t.Locate(kTe, kTc, Flags(), z, 2.5, 37.5); // fe = 0.25, fc = 0.75
    EXPECT_DOUBLE_EQ(t.Evaluate(z), 10 * 0.25 * 0.25 + 10 * 0.75 * 0.75);
}

TEST(StatusName, NamesTheFourStatuses)
{
    EXPECT_EQ(StatusName(isNoError), "No error");
    EXPECT_EQ(StatusName(isInvalidData), "Invalid data");
    EXPECT_EQ(StatusName(isRangeWarning), "Range warning");
    EXPECT_EQ(StatusName(isOutOfRange), "Out of range");
    EXPECT_EQ(StatusName(4), "");
}
