// The data-range note: a cycle's te and tc against its refrigerant's TMin…TMax.
#include <gtest/gtest.h>

#include <limits>

#include "core/cycle.h"
#include "core/datarange.h"

namespace {

TRefrigData Record(const char* name, double tmin, double tmax)
{
    TRefrigData r;
    r.RNumber = name;
    r.TMin = tmin;
    r.TMax = tmax;
    return r;
}

TEST(DataRange, BothSaturationTemperaturesMustLieWithinTheRangeItsEdgesIncluded)
{
    const TRefrigData r32 = Record("R32", -45, 50);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        double te, tc;
        bool outside;
    } cases[] = {
        {5, 45, false},
        {-45, 50, false},
        {5, 50.01, true},
        {-45.01, 45, true},
        {60, 45, true},
        {5, -50, true},
        {nan, 45, true},
        {5, nan, true},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(OutsideDataRange(r32, c.te, c.tc), c.outside) << c.te << " / " << c.tc;
}

TEST(DataRange, TheRangeReadsInWholeDegreesOrTenthsWithTheMinusSign)
{
    EXPECT_EQ(DataRangeText(Record("R32", -45, 50)), "R32 (\u221245\u202650 \u00B0C)");
    EXPECT_EQ(DataRangeText(Record("R744", -40.5, 15)), "R744 (\u221240.5\u202615 \u00B0C)");
    EXPECT_EQ(DataRangeText(Record("R718", 5, 90)), "R718 (5\u202690 \u00B0C)");
}

TEST(DataRange, TheNoteNamesTheBuiltInRecordsOwnRangeOnlyWhenTheCycleLeavesIt)
{
    TRefrigLib lib {""}; // no file: the built-in R22 record, −60…60 °C
    TKelvora k {lib};
    k.SetDefaults();
    EXPECT_EQ(DataRangeNote(k), "");
    EXPECT_EQ(DataRangeWarning(k), "");
    k.tc = 65;
    EXPECT_EQ(DataRangeNote(k), " \u2014 outside the data range of R22 (\u221260\u202660 \u00B0C)");
    EXPECT_EQ(DataRangeWarning(k), "Warning: outside the data range of R22 (\u221260\u202660 \u00B0C)");
}

} // namespace
