// Between, Sign and SafeDiv at their edge values.
#include <gtest/gtest.h>

#include "core/numeric.h"

TEST(Between, IsStrictWhicheverBoundIsLarger)
{
    EXPECT_FALSE(Between(1, 1, 2));
    EXPECT_FALSE(Between(2, 2, 1));
    EXPECT_TRUE(Between(2, 1.5, 1));
    EXPECT_TRUE(Between(1, 1.5, 2));
    EXPECT_FALSE(Between(1, 1, 1));
    EXPECT_FALSE(Between(1, 3, 2));
}

TEST(Sign, ZeroCountsAsPositive)
{
    EXPECT_EQ(Sign(0.0), 1);
    EXPECT_EQ(Sign(-0.0), 1);
    EXPECT_EQ(Sign(-1e-300), -1);
    EXPECT_EQ(Sign(5), 1);
}

TEST(SafeDiv, FallsBackOnZeroDivisorAndOverflow)
{
    struct Case {
        double n, d, big, expected;
    };
    const Case cases[] = {
        {6, 3, 99, 2},
        {-6, 0, 99, -99},
        {0, 0, 99, 99},
        {5, 0, 0, 0},
        {-1e300, 1e-300, 7, -7}, // overflow
        {1e300, -1e-300, 7, -7},
        {-1e300, -1e-300, 7, 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SafeDiv(c.n, c.d, c.big), c.expected) << c.n << " / " << c.d;
}
