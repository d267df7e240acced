// The window's controls stand in the places the cycle picture is drawn around.
#include "tests/ui/uitest.h"

#include "art/layout.h"
#include "ui/measureform.h"

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

TEST_F(MainWindowTest, MeasurementFieldsStandWhereTheirPictureLeavesRoomForThem)
{
    TMainForm window(lib, vars, settings);
    messages.clear();
    TMeasureForm dialog(window, settings, &window);
    messages.clear(); // the picture file is not this test's concern
    EXPECT_EQ(dialog.size(), art::kMeasureDialogSize);
    const QRect picture(art::kSmallCycleOrigin, art::kSmallCycleSize);
    EXPECT_EQ(dialog.Image1->geometry(), picture);
    for (const art::TOverlayRect& place : art::MeasureDialogOverlay()) {
        QString name = place.name;
        name.replace(":caption", "Caption").replace(":units", "Units");
        const auto* control = dialog.findChild<QWidget*>(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_TRUE(place.rect.translated(art::kSmallCycleOrigin).contains(control->geometry()))
            << name.toStdString() << " at " << control->x() << "," << control->y() << " " << control->width() << "x"
            << control->height();
    }
}
