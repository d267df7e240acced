#pragma once

// The measurement dialog's picture: the cycle with its two gauges and three
// thermometers, numbered in the order of the dialog's five fields.

#include <QImage>

namespace art {

QImage MeasurePicture();

// Check image: the picture in the dialog with its five fields drawn beside it.
QImage MeasureDialogPreview();

} // namespace art
