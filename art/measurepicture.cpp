#include "art/measurepicture.h"

#include "art/draw.h"
#include "art/layout.h"
#include "art/smallcycle.h"

namespace art {

namespace {

enum class TInstrument { Gauge,
                         Thermometer };

// The five readings in the order of the dialog's fields.
struct TReading {
    const char* field;
    TInstrument instrument;
    QColor TPalette::*colour;
};

constexpr TReading kReadings[] = {
    {"edHP", TInstrument::Gauge, &TPalette::discharge},
    {"edLP", TInstrument::Gauge, &TPalette::suction},
    {"edSuction", TInstrument::Thermometer, &TPalette::suction},
    {"edDischarge", TInstrument::Thermometer, &TPalette::discharge},
    {"edLiquid", TInstrument::Thermometer, &TPalette::liquid},
};

// The row of a field, in picture coordinates.
double FieldRowY(const char* field)
{
    for (const TOverlayRect& o : MeasureDialogOverlay())
        if (o.name == field)
            return o.rect.center().y() + 0.5;
    return 0;
}

} // namespace

QImage MeasureDialogPreview()
{
    QImage image = BlankImage(kMeasureDialogSize, QColor(0xef, 0xef, 0xef)); // window face
    QPainter p(&image);
    Prepare(p);
    p.drawImage(kSmallCycleOrigin, MeasurePicture());
    DrawControls(p, MeasureDialogOverlay(), kSmallCycleOrigin);
    p.end();
    return image;
}

QImage MeasurePicture()
{
    const TPalette& pal = Palette();
    QImage image = BlankImage(kSmallCycleSize, Qt::transparent);
    QPainter p(&image);
    Prepare(p);

    const TSmallCycle c = SmallCycleGeometry(QRectF(34, 4, 262, 188));
    DrawSmallCycle(p, c, TCycleLook {TCulprit::None, 10});

    const double gaugeR = 11, thermoH = 24, tap = c.pipe / 2;
    const double cx = c.compressor.x();
    // Where each instrument sits and where its number goes.
    const QPointF hpGauge(cx + 22, c.dischargeRiser.y() - 12);
    const QPointF lpGauge(cx + 22, c.suctionRiser.y() + 12);
    // Thermometers clamp onto the pipes with their stems pointing into free space.
    const QPointF suctionBulb(cx - tap - 4, c.compressor.y() + c.radius + 8);
    const QPointF dischargeBulb(cx - tap - 4, c.compressor.y() - c.radius - 6);
    const QPointF liquidBulb(c.liquidRun.x() + tap + 4, c.liquidRun.y());
    const QPointF spots[] = {hpGauge, lpGauge, suctionBulb, dischargeBulb, liquidBulb};
    const double angles[] = {0, 0, -70, -70, 70};
    const QPointF numbers[] = {hpGauge + QPointF(0, gaugeR + 9), lpGauge + QPointF(0, gaugeR + 9),
                               suctionBulb + QPointF(-24, 10), dischargeBulb + QPointF(-24, 4),
                               liquidBulb + QPointF(16, 12)};

    for (size_t i = 0; i < std::size(kReadings); ++i) {
        const TReading& r = kReadings[i];
        const QColor colour = pal.*r.colour;
        if (r.instrument == TInstrument::Gauge) {
            DrawPipe(p, QPolygonF {spots[i] - QPointF(gaugeR, 0), {cx, spots[i].y()}}, pal.outline, 2, 1e9);
            DrawGauge(p, spots[i], gaugeR, colour);
        } else {
            DrawThermometer(p, spots[i], thermoH, colour, angles[i]);
        }
        DrawStatePoint(p, numbers[i], int(i) + 1, 7);
        // The same number at the picture's left edge, level with the field it feeds.
        const double y = FieldRowY(r.field);
        DrawArrowHead(p, QPointF(1, y), QPointF(8, y), pal.muted, 6);
        DrawStatePoint(p, QPointF(15, y), int(i) + 1, 7);
    }
    p.end();
    return image;
}

} // namespace art
