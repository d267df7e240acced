// The window's controls stand in the places the cycle picture is drawn around.
#include "uitest.h"

#include "layout.h"

TEST_F(MainWindowTest, ControlsStandWhereTheCyclePictureLeavesRoomForThem)
{
    TMainForm window(lib, vars, settings);
    EXPECT_EQ(window.Panel1->size(), art::kMainPanelSize);
    const std::vector<art::TOverlayRect> places = art::MainWindowOverlay();
    ASSERT_FALSE(places.empty());
    for (const art::TOverlayRect& place : places) {
        QString name = place.name;
        name.replace(":caption", "Caption").replace(":units", "Units");
        const auto* control = window.Panel1->findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_TRUE(place.rect.contains(control->geometry()))
            << name.toStdString() << " at " << control->x() << "," << control->y() << " " << control->width() << "x"
            << control->height();
    }
}
