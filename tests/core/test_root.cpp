// The Illinois false-position root finder: convergence and each way it stops.
#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "core/root.h"

TEST(TRoot, DefaultsAfterConstruction)
{
    TRoot root([](double x) { return x; });
    EXPECT_EQ(root.MaxIter, 50);
    EXPECT_EQ(root.Tol, 1e-6);
}

TEST(TRoot, LinearFunctionConvergesInOneSecantStep)
{
    TRoot root([](double x) { return x - 3; });
    EXPECT_DOUBLE_EQ(root.Solve(0, 1), 3.0);
    EXPECT_EQ(root.Status, rsConverged);
    EXPECT_EQ(root.Iter, 0);
}

TEST(TRoot, StartPointWithinToleranceIsReturnedAfterOneEvaluation)
{
    int calls = 0;
    TRoot root([&](double x) {
        ++calls;
        return x - 2e-7;
    });
    EXPECT_EQ(root.Solve(0, 1), 0.0);
    EXPECT_EQ(root.Status, rsConverged);
    EXPECT_EQ(root.Iter, 0);
    EXPECT_EQ(calls, 1);
}

TEST(TRoot, StopsWithoutConvergence)
{
    struct Case {
        const char* what;
        TRoot::Function f;
        double dx;
        int maxIter;
        TRootStatus status;
    };
    const Case cases[] = {
        {"zero first step", [](double x) { return x - 3; }, 0.0, 50, rsPointsCoincide},
        {"constant function", [](double) { return 2.0; }, 1.0, 50, rsFlatSecant},
    };
    for (const auto& c : cases) {
        TRoot root(c.f);
        root.MaxIter = c.maxIter;
        EXPECT_EQ(root.Solve(0, c.dx), 0.0) << c.what;
        EXPECT_EQ(root.Status, c.status) << c.what;
    }
}

TEST(TRoot, IterationLimitReturnsTheRetainedPoint)
{
    // x³ - 10 from 0 with step 1: the first secant lands at 10, f(10) > 0 while
    // f(1) < 0, so b = 1 becomes the retained point a.
    TRoot root([](double x) { return x * x * x - 10; });
    root.SetTolerance(1, 1e-12);
    EXPECT_EQ(root.Solve(0, 1), 1.0);
    EXPECT_EQ(root.Status, rsIterationLimit);
    EXPECT_EQ(root.Iter, 1);

    root.SetTolerance(100, 1e-9);
    EXPECT_NEAR(root.Solve(0, 1), std::cbrt(10.0), 1e-9);
    EXPECT_EQ(root.Status, rsConverged);
}

TEST(TRoot, FaultOfTheFunctionReachesTheCaller)
{
    TRoot root([](double x) -> double {
        if (x > 0.5)
            throw ArithmeticError("fault");
        return x - 3;
    });
    EXPECT_THROW(root.Solve(0, 1), ArithmeticError);
}
