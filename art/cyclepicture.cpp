#include "art/cyclepicture.h"

#include "art/draw.h"

#include <QFontMetricsF>

namespace art {

namespace {

// Geometry of the drawing in panel pixels. The fields stand in three columns (liquid
// side on the left, condenser and evaporator fields in the middle, pressures on the
// right), so the coils sit at the left edge, the compressor in the gap right of the
// middle column, and the pipes run round the outside.
constexpr QRectF kCondenser {16, 4, 156, 46};
constexpr QRectF kEvaporator {32, 334, 118, 58};
constexpr QPointF kCompressor {398, 283};
constexpr double kCompressorRadius = 32;
constexpr QPointF kValve {20, 285};
constexpr double kValveSize = 22;
constexpr QPointF kHPGauge {390, 152};
constexpr QPointF kLPGauge {522, 324};
constexpr double kGaugeRadius = 15;
constexpr double kPipe = 4;
// The discharge line rises left of the pressure fields; the suction line enters the
// compressor below the LP fields.
constexpr double kRiserX = 424;
constexpr double kSuctionY = 296;

// Coil ports, from the tube rows the coil draws (three passes).
constexpr double PassY(const QRectF& box, int i) { return box.top() + (i + 0.5) * box.height() / 3; }

const QPolygonF& DischargePipe()
{
    static const QPolygonF path {{kRiserX, 268}, {kRiserX, PassY(kCondenser, 0)}, {kCondenser.right(), PassY(kCondenser, 0)}};
    return path;
}

const QPolygonF& LiquidPipe()
{
    static const QPolygonF path {{kCondenser.left(), PassY(kCondenser, 2)},
                                 {6, PassY(kCondenser, 2)},
                                 {6, 262},
                                 {kValve.x(), 262},
                                 {kValve.x(), kValve.y() - kValveSize / 2}};
    return path;
}

const QPolygonF& MixturePipe()
{
    static const QPolygonF path {{kValve.x(), kValve.y() + kValveSize / 2},
                                 {kValve.x(), PassY(kEvaporator, 0)},
                                 {kEvaporator.left(), PassY(kEvaporator, 0)}};
    return path;
}

const QPolygonF& SuctionPipe()
{
    static const QPolygonF path {{kEvaporator.right(), PassY(kEvaporator, 2)},
                                 {156, PassY(kEvaporator, 2)},
                                 {156, 399},
                                 {600, 399},
                                 {600, kSuctionY},
                                 {428, kSuctionY}};
    return path;
}

QPolygonF HPGaugeTap() { return {kHPGauge + QPointF(kGaugeRadius, 0), {kRiserX, kHPGauge.y()}}; }
QPolygonF LPGaugeTap() { return {kLPGauge - QPointF(0, kGaugeRadius), {kLPGauge.x(), kSuctionY}}; }

struct TTextItem {
    const char* name;
    QRectF box;
    const char* text;
    int align;
    bool component = false; // component names are set in bold
};

// Component names and notes, placed in the free space beside their parts.
constexpr TTextItem kTexts[] = {
    {"compressor label", {356, 316, 88, 14}, "Compressor", Qt::AlignHCenter | Qt::AlignTop, true},
    {"valve label", {40, 271, 100, 28}, "Expansion\nvalve", Qt::AlignLeft | Qt::AlignVCenter, true},
    {"drier label", {16, 122, 110, 14}, "Filter drier", Qt::AlignLeft | Qt::AlignVCenter},
    {"sight glass label", {16, 165, 110, 14}, "Sight glass", Qt::AlignLeft | Qt::AlignVCenter},
    {"HP gauge label", {352, 120, 76, 14}, "HP gauge", Qt::AlignHCenter | Qt::AlignBottom},
    {"LP gauge label", {540, 317, 70, 14}, "LP gauge", Qt::AlignLeft | Qt::AlignVCenter},
    {"suction line label", {500, 381, 96, 14}, "Suction line", Qt::AlignRight | Qt::AlignVCenter},
};

constexpr QRectF kDrier {1, 112, 10, 34};
constexpr QPointF kSightGlass {6, 172};

struct TLegendRow {
    const char* text;
    QColor TPalette::*colour;
};

constexpr TLegendRow kLegend[] = {
    {"Hot gas (discharge)", &TPalette::discharge},
    {"Warm liquid", &TPalette::liquid},
    {"Liquid + vapour", &TPalette::mixture},
    {"Cool gas (suction)", &TPalette::suction},
};
constexpr QRectF kLegendBox {440, 22, 168, 62};

struct TStatePoint {
    int number;
    QPointF centre;
};

// Cycle states 1 suction, 2 discharge, 3 liquid, 4 evaporator inlet.
constexpr TStatePoint kStates[] = {
    {1, {444, 311}},
    {2, {410, 246}},
    {3, {36, 262}},
    {4, {38, 318}},
};
constexpr double kStateRadius = 7;

// The two arrows of air or water run between the three tube rows.
QRectF FluidBand(const QRectF& coil)
{
    const double pitch = coil.height() / 3;
    return {coil.left() + 3, coil.top() + pitch / 2, coil.width() - 3, 2 * pitch};
}

QRectF Around(QPointF c, double r) { return {c.x() - r, c.y() - r, 2 * r, 2 * r}; }

QRect Whole(const QRectF& r) { return r.toAlignedRect(); }

void AddPipe(std::vector<TComponentRect>& out, const char* name, const QPolygonF& path)
{
    for (qsizetype i = 1; i < path.size(); ++i) {
        const QRectF run = QRectF(path[i - 1], path[i]).normalized();
        out.push_back({QString("%1 %2").arg(name).arg(i),
                       Whole(run.adjusted(-kPipe / 2, -kPipe / 2, kPipe / 2, kPipe / 2))});
    }
}

void DrawLegend(QPainter& p)
{
    const TPalette& pal = Palette();
    const QFont font = DrawFont(11);
    const double row = kLegendBox.height() / std::size(kLegend);
    for (size_t i = 0; i < std::size(kLegend); ++i) {
        const double y = kLegendBox.top() + (i + 0.5) * row;
        const QPointF a(kLegendBox.left() + 2, y), b(kLegendBox.left() + 26, y);
        DrawPipe(p, QPolygonF {a, b}, pal.*kLegend[i].colour, kPipe, 10);
        DrawText(p, QRectF(b.x() + 6, y - row / 2, kLegendBox.right() - b.x() - 6, row),
                 kLegend[i].text, font, pal.text, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

} // namespace

std::vector<TComponentRect> MainCycleComponents()
{
    std::vector<TComponentRect> out {
        {"condenser", Whole(kCondenser)},
        {"evaporator", Whole(kEvaporator)},
        {"compressor", Whole(Around(kCompressor, kCompressorRadius))},
        {"expansion valve", Whole(QRectF(kValve.x() - 10, kValve.y() - kValveSize / 2, 28, kValveSize))},
        {"HP gauge", Whole(Around(kHPGauge, kGaugeRadius + 1))},
        {"LP gauge", Whole(Around(kLPGauge, kGaugeRadius + 1))},
        {"filter drier", Whole(kDrier)},
        {"sight glass", Whole(Around(kSightGlass, 6))},
        {"legend", Whole(kLegendBox)},
    };
    for (const TTextItem& t : kTexts)
        out.push_back({t.name, Whole(t.box)});
    for (const TStatePoint& s : kStates)
        out.push_back({QString("state %1").arg(s.number), Whole(Around(s.centre, kStateRadius))});
    AddPipe(out, "discharge pipe", DischargePipe());
    AddPipe(out, "liquid pipe", LiquidPipe());
    AddPipe(out, "mixture pipe", MixturePipe());
    AddPipe(out, "suction pipe", SuctionPipe());
    AddPipe(out, "HP gauge tap", HPGaugeTap());
    AddPipe(out, "LP gauge tap", LPGaugeTap());
    return out;
}

QImage MainCyclePicture()
{
    const TPalette& pal = Palette();
    QImage image = BlankImage(kMainPanelSize, Qt::transparent);
    QPainter p(&image);
    Prepare(p);

    // Air or water across the coils, leaving on the right where the dt fields stand.
    DrawCoil(p, kCondenser, pal.discharge, pal.liquid, 3, true);
    DrawFluidArrows(p, FluidBand(kCondenser), pal.warmFluid, 2);
    DrawCoil(p, kEvaporator, pal.mixture, pal.suction, 3, false);
    DrawFluidArrows(p, FluidBand(kEvaporator), pal.coolFluid, 2);
    DrawText(p, kCondenser.adjusted(0, 10, 0, -10), "Condenser", DrawFont(12, true), pal.text,
             Qt::AlignCenter, true);
    DrawText(p, kEvaporator.adjusted(0, 12, 0, -12), "Evaporator", DrawFont(12, true), pal.text,
             Qt::AlignCenter, true);

    DrawPipe(p, DischargePipe(), pal.discharge, kPipe);
    DrawPipe(p, LiquidPipe(), pal.liquid, kPipe);
    DrawPipe(p, MixturePipe(), pal.mixture, kPipe, 30);
    DrawPipe(p, SuctionPipe(), pal.suction, kPipe);

    // Gauges on their service taps.
    DrawPipe(p, HPGaugeTap(), pal.outline, 2, 1e9);
    DrawGauge(p, kHPGauge, kGaugeRadius, pal.discharge);
    DrawPipe(p, LPGaugeTap(), pal.outline, 2, 1e9);
    DrawGauge(p, kLPGauge, kGaugeRadius, pal.suction);

    // Liquid line fittings.
    p.setPen(QPen(pal.outline, 1.4));
    p.setBrush(pal.body);
    p.drawRoundedRect(kDrier, 4, 4);
    p.setBrush(QColor(0xd6, 0xee, 0xfb));
    p.drawEllipse(kSightGlass, 5, 5);

    DrawCompressor(p, kCompressor, kCompressorRadius, -90);
    DrawValve(p, kValve, kValveSize, true);

    for (const TTextItem& t : kTexts)
        DrawText(p, t.box, t.text, DrawFont(11, t.component), pal.text, t.align);
    for (const TStatePoint& s : kStates)
        DrawStatePoint(p, s.centre, s.number, kStateRadius);
    DrawLegend(p);
    p.end();
    return image;
}

QImage MainCycleOverlay()
{
    QImage image = BlankImage(kMainPanelSize, QColor(0xef, 0xef, 0xef)); // window face
    QPainter p(&image);
    Prepare(p);
    p.drawImage(0, 0, MainCyclePicture());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 170, 0), 1, Qt::DotLine));
    for (const TComponentRect& c : MainCycleComponents())
        p.drawRect(c.rect);
    DrawControls(p, MainWindowOverlay(), {});
    p.end();
    return image;
}

} // namespace art
