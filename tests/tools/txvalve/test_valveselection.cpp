// The TX valve selector's pressures and status texts, apart from its window.
#include <gtest/gtest.h>

#include "core/refriglib.h"
#include "tools/txvalve/valveselection.h"

TEST(ValveSelection, PressuresOfThePlantShareTheirDifference)
{
    TRefrigLib lib(""); // the built-in R22 record
    const TValvePressures p = ValvePressures(lib, 5.5, 47);
    // R22 saturation pressures from published tables, about 593 and 1813 kPa.
    EXPECT_NEAR(p.Pe, 593, 593 * 0.02);
    EXPECT_NEAR(p.Pc, 1813, 1813 * 0.02);
    EXPECT_DOUBLE_EQ(p.dP, p.Pc - p.Pe);
    EXPECT_DOUBLE_EQ(ValveDropBar(p.dP - 130), (p.dP - 130) / 100);
}

TEST(ValveSelection, StatusLineShowsTheCapacityInTheDutyUnitOrOutOfRange)
{
    struct Case {
        double capacity;
        int choice;
        const char* text;
    };
    const Case cases[] = {
        {22.4, 0, "Tx Valve Capacity: 22.4 kW"},
        {4.4656, 0, "Tx Valve Capacity: 4.47 kW"},
        {22.4, 2, "Tx Valve Capacity: 76432 Btu/hr"},
        {0, 0, "TXV is out of range..."},
        {-1, 0, "TXV is out of range..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValveCapacityStatus(c.capacity, c.choice, 0), c.text) << c.capacity;
}
