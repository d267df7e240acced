#pragma once

#include <QPixmap>

// The pictures the windows carry of their own, for when an installed picture file
// is missing.

// The measurement dialog's cycle with its five measuring points.
QPixmap BuiltinMeasurePicture();
// The fault chart's overview of its whole decision tree.
QPixmap BuiltinChartOverview();
