#include "art/logo.h"

#include "art/draw.h"

namespace art {

QImage ReportLogo()
{
    const TPalette& pal = Palette();
    QImage image = BlankImage(QSize(220, 64), Qt::white);
    QPainter p(&image);
    Prepare(p);

    // The loop: hot gas over the top, cold refrigerant under the bottom, each half
    // ending in a flow arrow.
    const QPointF c(32, 32);
    const double r = 23;
    const QRectF ring(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal.discharge, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 200 * 16, -200 * 16 + 22 * 16);
    p.setPen(QPen(pal.suction, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(ring, 20 * 16, -200 * 16 + 22 * 16);
    auto onRing = [&](double deg) {
        const double a = qDegreesToRadians(deg);
        return c + QPointF(std::cos(a) * r, -std::sin(a) * r);
    };
    DrawArrowHead(p, onRing(-2), onRing(4), pal.discharge, 12);
    DrawArrowHead(p, onRing(178), onRing(184), pal.suction, 12);
    DrawText(p, ring, "K", DrawFont(24, true), pal.outline, Qt::AlignCenter);

    DrawText(p, QRectF(66, 6, 150, 34), "Kelvora", DrawFont(30, true), pal.outline,
             Qt::AlignLeft | Qt::AlignVCenter);
    DrawText(p, QRectF(68, 40, 150, 16), "cycle diagnosis", DrawFont(12), pal.muted,
             Qt::AlignLeft | Qt::AlignVCenter);
    p.end();
    return image;
}

} // namespace art
