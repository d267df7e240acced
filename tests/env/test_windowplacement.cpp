// Window placement records: the clamping rule and the round trip through the store.
#include <gtest/gtest.h>

#include "env/platform.h"
#include "env/settingsstore.h"
#include "env/windowplacement.h"

TEST(WindowPlacement, EdgesOffTheScreenAreBroughtBack)
{
    struct Case {
        int left, top;
        int wantLeft, wantTop;
    };
    // A 1024 x 768 screen: an edge beyond extent - 100 goes to extent - 200.
    const Case cases[] = {
        {-50, -1, 0, 0},
        {950, 700, 824, 568},
        {924, 668, 924, 668},
        {925, 669, 824, 568},
        {0, 0, 0, 0},
        {300, 200, 300, 200},
    };
    for (const auto& c : cases) {
        TWindowPlacement p;
        p.Left = c.left;
        p.Top = c.top;
        p.Width = 400;
        p.Height = 300;
        ClampToScreen(p, 1024, 768);
        EXPECT_EQ(p.Left, c.wantLeft) << c.left;
        EXPECT_EQ(p.Top, c.wantTop) << c.top;
        EXPECT_EQ(p.Width, 400);
        EXPECT_EQ(p.Height, 300);
    }
}

TEST(WindowPlacement, RestoreReadsWhatWasAskedWithTheCurrentValuesAsDefaults)
{
    const std::string key = ProgramRegistryKeyOf("PlacementTest");
    TWindowPlacement current {10, 20, 300, 200, true, wsNormal};

    // Nothing stored: the current values come back.
    TWindowPlacement p = RestoreWindowPlacement(key, "CompForm", current, 1024, 768, true, true);
    EXPECT_EQ(p.Left, 10);
    EXPECT_EQ(p.Width, 300);
    EXPECT_FALSE(p.Visible); // visibility defaults to hidden
    EXPECT_EQ(p.WinState, wsNormal);

    SaveWindowPlacement(key, "CompForm", {950, -50, 500, 400, true, wsMaximized});
    const TSettingsStore store(key);
    EXPECT_EQ(store.ReadInteger("CompForm", "Left", 0), 950);
    EXPECT_EQ(store.ReadInteger("CompForm", "Top", 0), -50);
    EXPECT_TRUE(store.ReadBool("CompForm", "Visible", false));

    p = RestoreWindowPlacement(key, "CompForm", current, 1024, 768, false, true);
    EXPECT_EQ(p.Left, 824);
    EXPECT_EQ(p.Top, 0);
    EXPECT_EQ(p.Width, 500);
    EXPECT_EQ(p.Height, 400);
    EXPECT_TRUE(p.Visible); // not read: the current value stays
    EXPECT_EQ(p.WinState, wsMaximized);

    p = RestoreWindowPlacement(key, "CompForm", {10, 20, 300, 200, false, wsNormal}, 1024, 768, true, false);
    EXPECT_EQ(p.Width, 300);
    EXPECT_EQ(p.Height, 200);
    EXPECT_TRUE(p.Visible);
}
