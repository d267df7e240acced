#pragma once

// The application icon: the report logo's refrigeration loop on a rounded tile.
// One drawing of filled shapes gives every bitmap size and the scalable picture.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <vector>

namespace art {

// A filled shape of the icon, in a square of kIconUnits units.
struct TIconShape {
    QPainterPath path;
    QColor colour;
};
inline constexpr double kIconUnits = 64;

std::vector<TIconShape> AppIconShapes();

// The icon as a square bitmap of `size` pixels, transparent around the tile.
QImage AppIcon(int size);

// The icon as SVG text: the same shapes as paths, with no fonts needed to show it.
QString AppIconSvg();

// The bitmap sizes of the desktop's icon theme.
inline constexpr int kAppIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace art
