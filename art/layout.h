#pragma once

// Where the main window and the measurement dialog lay their controls over the cycle
// pictures. The pictures are drawn around these rectangles, so the controls never hide
// a component; the rectangles are worked out from the window tables and a caption font.

#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>
#include <vector>

namespace art {

// One control laid over a picture, with the part of the picture it hides.
struct TOverlayRect {
    QString name; // control name, or control name + ":caption" / ":units"
    QRect rect;
    QString text; // what the control shows: caption, design text or a units label
};

// The font the windows give their captions (8-9 pt sans); its text widths fix the
// caption rectangles.
QFont CaptionFont();

// Main window: 20 fields with captions and units labels, two check boxes and the
// three display labels with their captions, in panel coordinates.
std::vector<TOverlayRect> MainWindowOverlay();

// Measurement dialog: its five fields (caption left, units right) in picture
// coordinates of the 300 x 196 picture placed at 216, 20.
std::vector<TOverlayRect> MeasureDialogOverlay();

// Draws the controls roughly as a window shows them, with their rectangles outlined;
// shift moves them from picture to window coordinates.
void DrawControls(QPainter& p, const std::vector<TOverlayRect>& controls, QPoint shift);

// A drawn component of a picture that no control may cover.
struct TComponentRect {
    QString name;
    QRect rect;
};

// Every pair (component, control) whose rectangles intersect; empty when the layout
// is clean.
std::vector<QString> Overlaps(const std::vector<TComponentRect>& components,
                              const std::vector<TOverlayRect>& controls);

inline constexpr QSize kMainPanelSize {616, 404};
inline constexpr QSize kSmallCycleSize {300, 196};
inline constexpr QSize kMeasureDialogSize {545, 244};
inline constexpr QPoint kSmallCycleOrigin {216, 20};
// Fault chart: the picture control sits at 8, 93 of a 547 x 435 client area.
inline constexpr QSize kChartPictureSize {531, 334};
inline constexpr QSize kReportPictureSize {400, 300};

} // namespace art
