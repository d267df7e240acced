#include "art/draw.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainterPath>
#include <cmath>

namespace art {

namespace {

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor OutlineOr(const QColor& accent)
{
    return accent.isValid() ? accent : Palette().outline;
}

} // namespace

const TPalette& Palette()
{
    static const TPalette palette;
    return palette;
}

QFont DrawFont(double pixelSize, bool bold, bool italic)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(int(std::lround(pixelSize)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void Prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage BlankImage(QSize size, const QColor& fill)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void DrawArrowHead(QPainter& p, QPointF tip, QPointF from, const QColor& colour, double size)
{
    const QLineF dir(tip, from);
    if (dir.length() <= 0)
        return;
    const QLineF unit = dir.unitVector();
    const QPointF back = tip + (unit.p2() - unit.p1()) * size;
    const QPointF side((unit.p2() - unit.p1()).y(), -(unit.p2() - unit.p1()).x());
    const QPolygonF head {tip, back + side * size * 0.55, back - side * size * 0.55};
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
    p.restore();
}

void DrawPipe(QPainter& p, const QPolygonF& path, const QColor& colour, double width,
              double minArrowRun)
{
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(path);
    for (qsizetype i = 1; i < path.size(); ++i) {
        const QLineF run(path[i - 1], path[i]);
        if (run.length() < minArrowRun)
            continue;
        const QPointF tip = run.pointAt(0.5 + 1.5 * width / run.length());
        DrawArrowHead(p, tip, path[i - 1], colour, width * 2.6);
    }
    p.restore();
}

void DrawCompressor(QPainter& p, QPointF centre, double radius, double flowDeg,
                    const QColor& accent)
{
    const TPalette& pal = Palette();
    const QColor line = OutlineOr(accent);
    p.save();
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    shade.setColorAt(0, Qt::white);
    shade.setColorAt(1, pal.body.darker(112));
    p.setBrush(shade);
    p.setPen(QPen(line, accent.isValid() ? 3.0 : 2.0));
    p.drawEllipse(centre, radius, radius);
    // Compression symbol: the two lines narrow from the suction side to the discharge side.
    const double a = radius * 0.92;
    p.translate(centre);
    p.rotate(flowDeg);
    p.setPen(QPen(line, 1.6));
    p.drawLine(QPointF(-a * 0.55, -a * 0.83), QPointF(a * 0.97, -a * 0.25));
    p.drawLine(QPointF(-a * 0.55, a * 0.83), QPointF(a * 0.97, a * 0.25));
    p.restore();
}

void DrawCoil(QPainter& p, const QRectF& box, const QColor& inlet, const QColor& outlet,
              int passes, bool enterRight, const QColor& accent)
{
    p.save();
    p.setPen(QPen(OutlineOr(accent), accent.isValid() ? 3.0 : 1.6));
    p.setBrush(QColor(0xf7, 0xf9, 0xfa));
    p.drawRoundedRect(box, 4, 4);
    // Fins across the tubes.
    p.setPen(QPen(QColor(0xb0, 0xbe, 0xc5), 1.0));
    for (double x = box.left() + 6; x < box.right() - 3; x += 5)
        p.drawLine(QPointF(x, box.top() + 3), QPointF(x, box.bottom() - 3));
    const double pitch = box.height() / passes;
    const double tube = std::min(4.0, pitch * 0.35);
    // Straight runs end half a pitch in from the sides so the return bends stay inside.
    const double x0 = box.left() + 3 + pitch / 2, x1 = box.right() - 3 - pitch / 2;
    for (int i = 0; i < passes; ++i) {
        const double y = box.top() + (i + 0.5) * pitch;
        const bool leftward = (i % 2 == 0) == enterRight;
        const double t = passes > 1 ? double(i) / (passes - 1) : 0.0;
        const QColor c = Mix(inlet, outlet, t);
        p.setPen(QPen(c, tube, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        double from = leftward ? x1 : x0, to = leftward ? x0 : x1;
        if (i == 0)
            from = enterRight ? box.right() : box.left();
        if (i == passes - 1)
            to = leftward ? box.left() : box.right();
        p.drawLine(QPointF(from, y), QPointF(to, y));
        if (i + 1 < passes) {
            const double bendX = leftward ? x0 : x1;
            const QRectF arc(bendX - pitch / 2, y, pitch, pitch);
            QPainterPath bend;
            bend.arcMoveTo(arc, 90);
            bend.arcTo(arc, 90, leftward ? 180 : -180);
            p.setPen(QPen(Mix(inlet, outlet, t + 0.5 / (passes - 1)), tube, Qt::SolidLine,
                          Qt::FlatCap));
            p.drawPath(bend);
        }
    }
    p.restore();
}

void DrawFluidArrows(QPainter& p, const QRectF& band, const QColor& colour, int count)
{
    p.save();
    QColor fill = colour;
    fill.setAlpha(175);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    const double pitch = band.height() / count;
    const double shaft = pitch * 0.42, head = pitch * 0.85;
    const double headLen = std::min(band.width() * 0.3, head * 0.9);
    for (int i = 0; i < count; ++i) {
        const double y = band.top() + (i + 0.5) * pitch;
        const double xh = band.right() - headLen;
        const QPolygonF arrow {
            {band.left(), y - shaft / 2}, {xh, y - shaft / 2}, {xh, y - head / 2}, {band.right(), y}, {xh, y + head / 2}, {xh, y + shaft / 2}, {band.left(), y + shaft / 2}};
        p.drawPolygon(arrow);
    }
    p.restore();
}

void DrawValve(QPainter& p, QPointF c, double size, bool vertical, const QColor& accent)
{
    const TPalette& pal = Palette();
    const double h = size / 2, w = size * 0.42;
    auto at = [&](double along, double across) {
        return vertical ? c + QPointF(across, along) : c + QPointF(along, across);
    };
    p.save();
    p.setPen(QPen(OutlineOr(accent), accent.isValid() ? 2.6 : 1.6, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.setBrush(pal.body);
    p.drawPolygon(QPolygonF {at(-h, -w), at(-h, w), at(0, 0)});
    p.drawPolygon(QPolygonF {at(h, -w), at(h, w), at(0, 0)});
    // Stem and the diaphragm head of a thermostatic valve.
    const QPointF stemEnd = at(0, w * 1.25);
    p.drawLine(c, stemEnd);
    const double r = size * 0.2;
    QPainterPath head;
    const QPointF hc = at(0, w * 1.25 + r * 0.1);
    const QRectF dome(hc.x() - r, hc.y() - r, 2 * r, 2 * r);
    if (vertical) {
        head.moveTo(hc + QPointF(0, -r));
        head.arcTo(dome, 90, -180);
    } else {
        head.moveTo(hc + QPointF(-r, 0));
        head.arcTo(dome, 180, 180);
    }
    head.closeSubpath();
    p.drawPath(head);
    p.restore();
}

void DrawGauge(QPainter& p, QPointF c, double r, const QColor& accent)
{
    const TPalette& pal = Palette();
    p.save();
    p.setBrush(Qt::white);
    p.setPen(QPen(accent, std::max(2.0, r * 0.16)));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(pal.outline, 1.0));
    for (int i = 0; i <= 8; ++i) {
        const double ang = (225.0 - i * 33.75) * M_PI / 180.0;
        const QPointF d(std::cos(ang), -std::sin(ang));
        p.drawLine(c + d * r * 0.62, c + d * r * 0.8);
    }
    const double needle = 70.0 * M_PI / 180.0;
    p.setPen(QPen(pal.text, std::max(1.2, r * 0.09), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(std::cos(needle), -std::sin(needle)) * r * 0.72);
    p.setBrush(pal.text);
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, r * 0.1, r * 0.1);
    p.restore();
}

void DrawThermometer(QPainter& p, QPointF at, double height, const QColor& accent,
                     double angleDeg)
{
    const TPalette& pal = Palette();
    const double r = height * 0.16, tw = r * 0.9;
    p.save();
    p.translate(at);
    p.rotate(angleDeg);
    const QPointF bulb(0, 0);
    QPainterPath glass;
    glass.addRoundedRect(QRectF(bulb.x() - tw / 2, bulb.y() - height, tw, height), tw / 2, tw / 2);
    glass.addEllipse(bulb, r, r);
    glass = glass.simplified();
    p.setPen(QPen(pal.outline, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(bulb, r * 0.65, r * 0.65);
    p.drawRect(QRectF(bulb.x() - tw * 0.25, bulb.y() - height * 0.62, tw * 0.5, height * 0.62));
    p.restore();
}

void DrawStatePoint(QPainter& p, QPointF c, int number, double radius)
{
    const TPalette& pal = Palette();
    p.save();
    p.setPen(QPen(pal.outline, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(c, radius, radius);
    p.setFont(DrawFont(radius * 1.45, true));
    p.setPen(pal.text);
    p.drawText(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter,
               QString::number(number));
    p.restore();
}

void DrawText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
              const QColor& colour, int align, bool backing)
{
    p.save();
    p.setFont(font);
    if (backing) {
        const QRectF used = p.boundingRect(box, align, text).adjusted(-2, 0, 2, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 210));
        p.drawRoundedRect(used, 2, 2);
    }
    p.setPen(colour);
    p.drawText(box, align, text);
    p.restore();
}

QRectF DrawTag(QPainter& p, QPointF anchor, int align, const QString& text, const QFont& font,
               const QColor& colour)
{
    const QFontMetricsF fm(font);
    const QSizeF size(fm.horizontalAdvance(text) + fm.height() * 0.7, fm.height() + 2);
    QPointF topLeft = anchor - QPointF(size.width() / 2, size.height() / 2);
    if (align & Qt::AlignLeft)
        topLeft.setX(anchor.x());
    if (align & Qt::AlignRight)
        topLeft.setX(anchor.x() - size.width());
    if (align & Qt::AlignTop)
        topLeft.setY(anchor.y());
    if (align & Qt::AlignBottom)
        topLeft.setY(anchor.y() - size.height());
    const QRectF box(topLeft, size);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(box, size.height() / 2, size.height() / 2);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
    return box;
}

} // namespace art
