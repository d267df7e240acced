#include "art/appicon.h"

#include <QPainterPathStroker>
#include <QtMath>
#include <cmath>

#include "art/draw.h"

namespace art {

namespace {

QPointF OnRing(QPointF centre, double radius, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    return centre + QPointF(std::cos(a) * radius, -std::sin(a) * radius);
}

// A flow arrow's head as a triangle pointing from `from` to `tip`.
QPainterPath ArrowHead(QPointF tip, QPointF from, double size)
{
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(tip + u * size * 0.35);
    head.lineTo(tip - u * size * 0.65 + n * size * 0.55);
    head.lineTo(tip - u * size * 0.65 - n * size * 0.55);
    head.closeSubpath();
    return head;
}

// Half of the loop as a filled band: an arc of the ring stroked to its width.
QPainterPath Band(QRectF ring, double startDegrees, double sweepDegrees, double width)
{
    QPainterPath arc;
    arc.arcMoveTo(ring, startDegrees);
    arc.arcTo(ring, startDegrees, sweepDegrees);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    return stroker.createStroke(arc);
}

QString Number(double v)
{
    return QString::number(v, 'f', 2);
}

} // namespace

std::vector<TIconShape> AppIconShapes()
{
    const TPalette& pal = Palette();
    std::vector<TIconShape> shapes;

    QPainterPath tile;
    tile.addRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    shapes.push_back({tile, QColor(0xfa, 0xfb, 0xfc)});
    QPainterPathStroker edge;
    edge.setWidth(1.5);
    shapes.push_back({edge.createStroke(tile), pal.outline});

    // Hot gas over the top, cold refrigerant under the bottom, as in the logo.
    const QPointF c(32, 32);
    const double r = 20;
    const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
    shapes.push_back({Band(ring, 200, -178, 7), pal.discharge});
    shapes.push_back({Band(ring, 20, -178, 7), pal.suction});
    shapes.push_back({ArrowHead(OnRing(c, r, -2), OnRing(c, r, 4), 13), pal.discharge});
    shapes.push_back({ArrowHead(OnRing(c, r, 178), OnRing(c, r, 184), 13), pal.suction});

    // The letter as an outline, centred on the ring, so no font is needed to show it.
    QPainterPath letter;
    letter.addText(0, 0, DrawFont(22, true), "K");
    const QRectF box = letter.boundingRect();
    letter.translate(c - box.center());
    shapes.push_back({letter, pal.outline});
    return shapes;
}

QImage AppIcon(int size)
{
    QImage image = BlankImage(QSize(size, size), Qt::transparent);
    QPainter p(&image);
    Prepare(p);
    p.scale(size / kIconUnits, size / kIconUnits);
    p.setPen(Qt::NoPen);
    for (const TIconShape& s : AppIconShapes()) {
        p.setBrush(s.colour);
        p.drawPath(s.path);
    }
    p.end();
    return image;
}

QString AppIconSvg()
{
    QString svg = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" viewBox=\"0 0 64 64\">\n");
    for (const TIconShape& s : AppIconShapes()) {
        QString d;
        const QPainterPath& path = s.path;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isMoveTo()) {
                d += "M" + Number(e.x) + " " + Number(e.y);
            } else if (e.isLineTo()) {
                d += "L" + Number(e.x) + " " + Number(e.y);
            } else if (e.isCurveTo()) {
                const QPainterPath::Element c1 = path.elementAt(i + 1);
                const QPainterPath::Element c2 = path.elementAt(i + 2);
                d += "C" + Number(e.x) + " " + Number(e.y) + " " + Number(c1.x) + " " + Number(c1.y) + " " +
                    Number(c2.x) + " " + Number(c2.y);
                i += 2;
            }
        }
        const QString rule = path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd";
        svg += "  <path fill=\"" + s.colour.name() + "\" fill-rule=\"" + rule + "\" d=\"" + d + "Z\"/>\n";
    }
    return svg + "</svg>\n";
}

} // namespace art
