#include "art/smallcycle.h"

#include "art/draw.h"

#include <algorithm>

namespace art {

namespace {

double PassY(const QRectF& box, int i) { return box.top() + (i + 0.5) * box.height() / 3; }

} // namespace

TSmallCycle SmallCycleGeometry(const QRectF& a)
{
    TSmallCycle c;
    c.area = a;
    const double w = a.width(), h = a.height();
    c.pipe = std::clamp(h * 0.018, 3.0, 4.5);
    const double coilH = std::max(30.0, h * 0.2);
    c.condenser = QRectF(a.left() + 0.22 * w, a.top() + 2, 0.5 * w, coilH);
    c.evaporator = QRectF(a.left() + 0.22 * w, a.bottom() - 2 - coilH, 0.5 * w, coilH);
    c.radius = std::min(0.11 * h, 0.085 * w);
    c.compressor = QPointF(a.right() - c.radius - 2 - 0.04 * w, a.center().y());
    c.valveSize = std::max(18.0, 0.13 * h);
    c.valve = QPointF(a.left() + 0.1 * w, a.center().y() + 0.08 * h);

    const double cx = c.compressor.x(), cy = c.compressor.y(), vx = c.valve.x();
    c.discharge = {{cx, cy - c.radius}, {cx, PassY(c.condenser, 0)}, {c.condenser.right(), PassY(c.condenser, 0)}};
    c.liquid = {{c.condenser.left(), PassY(c.condenser, 2)}, {vx, PassY(c.condenser, 2)}, {vx, c.valve.y() - c.valveSize / 2}};
    c.mixture = {{vx, c.valve.y() + c.valveSize / 2}, {vx, PassY(c.evaporator, 0)}, {c.evaporator.left(), PassY(c.evaporator, 0)}};
    c.suction = {{c.evaporator.right(), PassY(c.evaporator, 2)}, {cx, PassY(c.evaporator, 2)}, {cx, cy + c.radius}};
    c.dischargeRiser = {cx, (cy - c.radius + PassY(c.condenser, 0)) / 2};
    c.suctionRiser = {cx, (cy + c.radius + PassY(c.evaporator, 2)) / 2};
    c.liquidRun = {vx, (PassY(c.condenser, 2) + c.valve.y() - c.valveSize / 2) / 2};
    return c;
}

void DrawSmallCycle(QPainter& p, const TSmallCycle& c, const TCycleLook& look)
{
    const TPalette& pal = Palette();
    auto accent = [&](TCulprit part) { return look.culprit == part ? pal.fault : QColor(); };

    DrawCoil(p, c.condenser, pal.discharge, pal.liquid, 3, true, accent(TCulprit::Condenser));
    DrawCoil(p, c.evaporator, pal.mixture, pal.suction, 3, false, accent(TCulprit::Evaporator));
    const double pitch = c.condenser.height() / 3;
    DrawFluidArrows(p, QRectF(c.condenser.left() + 3, c.condenser.top() + pitch / 2, c.condenser.width() - 3, 2 * pitch), pal.warmFluid, 2);
    DrawFluidArrows(p, QRectF(c.evaporator.left() + 3, c.evaporator.top() + pitch / 2, c.evaporator.width() - 3, 2 * pitch), pal.coolFluid, 2);

    const bool liquidFault = look.culprit == TCulprit::LiquidLine;
    if (liquidFault) {
        // A broad halo along the liquid line marks it as the restricted part.
        QColor halo = pal.fault;
        halo.setAlpha(90);
        p.save();
        p.setPen(QPen(halo, c.pipe * 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(c.liquid);
        p.restore();
    }
    DrawPipe(p, c.discharge, pal.discharge, c.pipe, c.area.height() * 0.2);
    DrawPipe(p, c.liquid, pal.liquid, c.pipe, c.area.height() * 0.2);
    DrawPipe(p, c.mixture, pal.mixture, c.pipe, c.area.height() * 0.5);
    DrawPipe(p, c.suction, pal.suction, c.pipe, c.area.height() * 0.2);
    DrawCompressor(p, c.compressor, c.radius, -90, accent(TCulprit::Compressor));
    DrawValve(p, c.valve, c.valveSize, true, accent(TCulprit::Valve));

    if (look.labelPx <= 0)
        return;
    const QFont font = DrawFont(look.labelPx, true);
    DrawText(p, c.condenser, "Condenser", font, pal.text, Qt::AlignCenter, true);
    DrawText(p, c.evaporator, "Evaporator", font, pal.text, Qt::AlignCenter, true);
    const double r = c.radius;
    DrawText(p, QRectF(c.compressor.x() - r - 4 - 8 * r, c.compressor.y() - look.labelPx, 8 * r, look.labelPx * 2),
             "Compressor", font, pal.text, Qt::AlignRight | Qt::AlignVCenter);
    DrawText(p, QRectF(c.valve.x() + c.valveSize * 0.75, c.valve.y() - look.labelPx * 1.4, c.area.width() * 0.3, look.labelPx * 2.8),
             "Expansion\nvalve", font, pal.text, Qt::AlignLeft | Qt::AlignVCenter);
}

QString LevelText(TLevel level)
{
    switch (level) {
    case TLevel::Low: return QString::fromUtf8("\u25bc low");
    case TLevel::High: return QString::fromUtf8("\u25b2 high");
    case TLevel::Normal: return "normal";
    case TLevel::NotLow: return "not low";
    case TLevel::NotHigh: return "not high";
    case TLevel::None: break;
    }
    return {};
}

namespace {

QColor LevelColour(TLevel level)
{
    const TPalette& pal = Palette();
    switch (level) {
    case TLevel::Low: return pal.low;
    case TLevel::High: return pal.high;
    case TLevel::Normal: return pal.normal;
    default: return pal.muted;
    }
}

// A column of tags growing down (or up) from an anchor, all aligned one way.
class TTagStack {
public:
    TTagStack(QPointF anchor, int align, bool upwards, double px)
        : at_(anchor), align_(align), up_(upwards), font_(DrawFont(px, true)), step_(px * 1.75) { }

    void Add(QPainter& p, const QString& text, const QColor& colour)
    {
        if (text.isEmpty())
            return;
        DrawTag(p, at_, align_ | Qt::AlignVCenter, text, font_, colour);
        at_.ry() += up_ ? -step_ : step_;
    }

    void Add(QPainter& p, const char* quantity, TLevel level)
    {
        if (level != TLevel::None)
            Add(p, QString(quantity) + " " + LevelText(level), LevelColour(level));
    }

private:
    QPointF at_;
    int align_;
    bool up_;
    QFont font_;
    double step_;
};

} // namespace

void DrawSymptoms(QPainter& p, const TSmallCycle& c, const TSymptoms& s, double px)
{
    const TPalette& pal = Palette();
    const double gap = c.pipe + 5;
    const double top = c.condenser.bottom() + px * 1.2;
    const double bottom = c.evaporator.top() - px * 1.2;
    TTagStack topLeft({c.valve.x() + gap, top}, Qt::AlignLeft, false, px);
    TTagStack topRight({c.compressor.x() - gap, top}, Qt::AlignRight, false, px);
    TTagStack bottomRight({c.compressor.x() - gap, bottom}, Qt::AlignRight, true, px);
    TTagStack bottomLeft({c.valve.x() + gap, bottom}, Qt::AlignLeft, true, px);
    topLeft.Add(p, "Sub-cooling", s.sc);
    topLeft.Add(p, s.liquidNote, pal.fault);
    topLeft.Add(p, s.condenserNote, pal.fault);
    topRight.Add(p, "HP", s.hp);
    bottomRight.Add(p, "Superheat", s.sh);
    bottomRight.Add(p, "LP", s.lp);
    bottomLeft.Add(p, s.evaporatorNote, pal.fault);
}

} // namespace art
