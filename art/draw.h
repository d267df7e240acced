#pragma once

// Drawing pieces shared by every picture: pipes with flow arrows, the four cycle
// components, gauges, thermometers and labels, in one palette.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>
#include <QString>

namespace art {

// High side in warm colours, low side in cool ones.
struct TPalette {
    QColor discharge {0xc6, 0x28, 0x28}; // hot gas
    QColor liquid {0xe6, 0x6a, 0x00};    // warm liquid
    QColor mixture {0x29, 0x9b, 0xe0};   // cold liquid and vapour after the valve
    QColor suction {0x15, 0x4f, 0xb0};   // cool suction gas
    QColor outline {0x37, 0x47, 0x4f};
    QColor body {0xe4, 0xe9, 0xed}; // component bodies
    QColor text {0x21, 0x21, 0x21};
    QColor muted {0x5f, 0x6b, 0x73};
    QColor warmFluid {0xf2, 0x8c, 0x4b}; // air or water warmed by the condenser
    QColor coolFluid {0x4f, 0xa8, 0xe8}; // air or water cooled by the evaporator
    QColor high {0xc6, 0x28, 0x28};      // "too high" marks
    QColor low {0x15, 0x65, 0xc0};       // "too low" marks
    QColor normal {0x2e, 0x7d, 0x32};    // "in range" marks
    QColor fault {0xd8, 0x1b, 0x60};     // the component at fault
};
const TPalette& Palette();

// The drawing font (DejaVu Sans) at a pixel size.
QFont DrawFont(double pixelSize, bool bold = false, bool italic = false);

// Painter set up for smooth drawing on an image.
void Prepare(QPainter& p);

// A picture filled with one colour (Qt::transparent for pictures laid over a panel).
QImage BlankImage(QSize size, const QColor& fill);

// A pipe along a polyline, with a flow arrowhead in the middle of every segment at
// least minArrowRun long.
void DrawPipe(QPainter& p, const QPolygonF& path, const QColor& colour, double width,
              double minArrowRun = 40);
void DrawArrowHead(QPainter& p, QPointF tip, QPointF from, const QColor& colour, double size);

// Compressor: a circle with the converging lines of the compression symbol. The gas
// flows along flowDeg (0 = left to right, -90 = upwards on screen).
void DrawCompressor(QPainter& p, QPointF centre, double radius, double flowDeg = 0,
                    const QColor& accent = {});

// A finned heat exchanger coil: a serpentine tube from inlet colour to outlet colour.
// The tube enters at the top right and leaves at the bottom left when enterRight.
void DrawCoil(QPainter& p, const QRectF& box, const QColor& inlet, const QColor& outlet,
              int passes, bool enterRight, const QColor& accent = {});

// Air or water flowing across a coil from left to right: broad translucent arrows.
void DrawFluidArrows(QPainter& p, const QRectF& band, const QColor& colour, int count);

// Expansion valve: two triangles tip to tip, across a pipe that runs vertically or
// horizontally through centre.
void DrawValve(QPainter& p, QPointF centre, double size, bool vertical, const QColor& accent = {});

// Pressure gauge with a dial and needle; accent colours the rim.
void DrawGauge(QPainter& p, QPointF centre, double radius, const QColor& accent);

// Thermometer on its bulb; its stem points along angleDeg (0 = up, 90 = right).
void DrawThermometer(QPainter& p, QPointF bulb, double height, const QColor& accent,
                     double angleDeg = 0);

// A numbered state point in a small circle.
void DrawStatePoint(QPainter& p, QPointF centre, int number, double radius = 7);

// Text inside a box, with optional translucent white backing for legibility.
void DrawText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
              const QColor& colour, int align, bool backing = false);

// A rounded tag with a coloured background and white text; returns its box.
QRectF DrawTag(QPainter& p, QPointF anchor, int align, const QString& text,
               const QFont& font, const QColor& colour);

} // namespace art
