// The correlations of the built-in R22 record against their known values.
#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "core/refriglib.h"

namespace {

class DefaultRecord : public ::testing::Test {
protected:
    TRefrigLib lib {""}; // no library file: the built-in record
};

// Relative closeness to the digits a value is known to.
void ExpectClose(double actual, double expected, double relTol, const char* what)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * relTol) << what;
}

} // namespace

TEST_F(DefaultRecord, SaturationCurves)
{
    // Known to the hundredth of a pascal.
    EXPECT_NEAR(lib.DewP(-40.8), 102568.84, 0.005);
    EXPECT_NEAR(lib.DewP(0), 499656.52, 0.005);
    EXPECT_NEAR(lib.DewP(45), 1735965.66, 0.005);
    EXPECT_NEAR(lib.DewT(101325), -41.0636, 5e-5);
    for (double t = -60; t <= 90; t += 7.5) {
        EXPECT_NEAR(lib.DewT(lib.DewP(t)), t, 1e-11) << t;
        EXPECT_EQ(lib.BubbleP(t), lib.DewP(t)) << t;
        EXPECT_EQ(lib.Glide(lib.DewP(t)), 0.0) << t;
    }
    EXPECT_EQ(lib.GetPCrit(), 4990000.0);
    EXPECT_EQ(lib.GetTCrit(), 96.1);
    EXPECT_EQ(lib.GetTBoil(), -40.8);
}

TEST_F(DefaultRecord, SaturatedLiquidAndVapour)
{
    EXPECT_DOUBLE_EQ(lib.SatLiqEnthalpy(0), 200005.4);
    EXPECT_DOUBLE_EQ(lib.SatVapEnthalpy(0), 405042.8);
    EXPECT_DOUBLE_EQ(lib.LatentHeat(0), 205037.4);
    EXPECT_DOUBLE_EQ(lib.SatLiqVolume(0), 0.0007803834);
    ExpectClose(lib.SatVapVolume(0), 0.0471018, 1e-6, "SatVapVolume(0)");
}

TEST_F(DefaultRecord, SuperheatedVapour)
{
    for (double t : {-30.0, 0.0, 45.0})
        EXPECT_EQ(lib.SuperheatEnthalpy(t, t), lib.SatVapEnthalpy(t)) << t;
    EXPECT_NEAR(lib.SuperheatEnthalpy(0, 10), 412206.45, 0.005);
    ExpectClose(lib.SuperheatVolume(lib.DewP(0), 10), 0.0495476, 1e-6, "SuperheatVolume");
    EXPECT_EQ(lib.LastWarning, rwNone);
}

TEST_F(DefaultRecord, IsentropicCompression)
{
    EXPECT_NEAR(lib.IsenExponent0(0, 40), 1.117299892, 1e-9);
    EXPECT_NEAR(lib.IsenExponent(0, 10, 40), 1.1202640, 1e-7);
    EXPECT_NEAR(lib.IsenRise(0, 40, 10), 29626.5, 0.05);
    EXPECT_EQ(lib.LastWarning, rwNone);
}

TEST_F(DefaultRecord, SuperheatTempSearch)
{
    const double t = lib.SuperheatTemp(lib.DewP(40), 430000);
    EXPECT_NEAR(t, 55.0754, 5e-5);
    EXPECT_EQ(lib.Root().Iter, 4);
    EXPECT_EQ(lib.Root().Status, rsConverged);
    EXPECT_NEAR(lib.SuperheatEnthalpy(40, t), 430000, 0.001);
    EXPECT_EQ(lib.LastWarning, rwNone);

    // Below the saturated vapour enthalpy the search goes below saturation.
    EXPECT_NEAR(lib.SuperheatTemp(lib.DewP(40), 400000), 22.71, 0.005);
    EXPECT_EQ(lib.Root().Status, rsConverged);
    EXPECT_EQ(lib.LastWarning, rwNegativeSuperheat);
}

TEST_F(DefaultRecord, WarningsAreSetAndKept)
{
    lib.SuperheatEnthalpy(10, 10 - 1e-10);
    EXPECT_EQ(lib.LastWarning, rwNone);
    const double h = lib.SuperheatEnthalpy(10, 5);
    EXPECT_TRUE(std::isfinite(h));
    EXPECT_EQ(lib.LastWarning, rwNegativeSuperheat);
    lib.SuperheatEnthalpy(10, 20); // nothing resets it
    EXPECT_EQ(lib.LastWarning, rwNegativeSuperheat);

    lib.IsenRise(10, 5, 15);
    EXPECT_EQ(lib.LastWarning, rwNegativeLift);
}

TEST_F(DefaultRecord, ArithmeticFaultsRaiseInsteadOfNaN)
{
    EXPECT_THROW(lib.DewT(0), ArithmeticError);
    EXPECT_THROW(lib.DewT(-5), ArithmeticError);
    EXPECT_THROW(lib.BubbleT(0), ArithmeticError);
    EXPECT_THROW(lib.DewP(-254.0905), ArithmeticError); // t = -dp[2]
    EXPECT_THROW(lib.DewP(-254.1), ArithmeticError);    // exp overflow just below the pole
    EXPECT_THROW(lib.SatVapVolume(-273.15), ArithmeticError);
    EXPECT_THROW(lib.SuperheatVolume(0, 10), ArithmeticError);
    EXPECT_THROW(lib.SuperheatTemp(-1, 400000), ArithmeticError);
    EXPECT_THROW(TRefrigLib::IsenWork(0, 1e5, 0.05, 2e5), ArithmeticError);
    EXPECT_THROW(TRefrigLib::IsenWork(1.1, 0, 0.05, 2e5), ArithmeticError);
    EXPECT_THROW(TRefrigLib::IsenWork(1.1, 1e5, 0.05, -2e5), ArithmeticError);
    EXPECT_THROW(lib.SatLiqEnthalpy(1e120), ArithmeticError);
}

TEST(Poly6, IsTheSixTermCorrection)
{
    const std::array<double, 6> c {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Poly6(c, 0, 123), 0.0);
    // c0 x + c1 x² + c2 x y + c3 x² y + c4 x y² + c5 x² y² at x = 2, y = 3
    EXPECT_DOUBLE_EQ(Poly6(c, 2, 3), 2 + 8 + 18 + 48 + 90 + 216);
}
