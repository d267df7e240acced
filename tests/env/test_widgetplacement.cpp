// Placement records applied to a real window (offscreen).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "env/platform.h"
#include "env/settingsstore.h"
#include "env/widgetplacement.h"

TEST(WidgetPlacement, SavedWindowComesBackWhereItWas)
{
    const std::string key = ProgramRegistryKeyOf("WidgetPlacementTest");
    QWidget saved;
    saved.setObjectName("TxValveForm");
    saved.setGeometry(120, 80, 320, 240);
    saved.show();
    SaveWindowPlacement(saved, key);
    const TSettingsStore store(key);
    EXPECT_EQ(store.ReadInteger("TxValveForm", "Left", -1), 120);
    EXPECT_EQ(store.ReadInteger("TxValveForm", "Width", -1), 320);
    EXPECT_TRUE(store.ReadBool("TxValveForm", "Visible", false));
    EXPECT_EQ(store.ReadInteger("TxValveForm", "WinState", -1), wsNormal);

    QWidget restored;
    restored.setObjectName("TxValveForm");
    restored.setGeometry(5, 5, 100, 100);
    RestoreWindowPlacement(restored, key, false, true);
    EXPECT_EQ(restored.geometry(), QRect(120, 80, 320, 240));
    EXPECT_FALSE(restored.isVisible());

    RestoreWindowPlacement(restored, key, true, false);
    EXPECT_TRUE(restored.isVisible());
}

TEST(WidgetPlacement, OffScreenEdgesAreClampedToTheWindowsScreen)
{
    const std::string key = ProgramRegistryKeyOf("WidgetPlacementTest");
    QWidget window;
    window.setObjectName("LiquidLineForm");
    window.resize(200, 150);
    const QSize screen = window.screen()->virtualSize();
    SaveWindowPlacement(key, "LiquidLineForm", {screen.width() + 50, -50, 200, 150, false, wsNormal});
    RestoreWindowPlacement(window, key, false, true);
    EXPECT_EQ(window.x(), screen.width() - 200);
    EXPECT_EQ(window.y(), 0);
}
