#pragma once

#include <string>

#include <QImage>
#include <QPoint>
#include <QSize>

class QMainWindow;

// The report's snapshot of the main window's cycle picture with the values on it.
//
// The block is measured from the window's outer corner: it starts 5 pixels in from
// the frame's left edge and as far down as the frame and menu bar are high
// together (outer height less client height), which lands just inside the
// picture panel. It is as large as the picture less 4 pixels each way and is
// placed at 1, 1 of a bitmap of that size, so the bitmap's top row and left
// column stay white and the block's last row and column fall off.

// The block of `size` from `source` of the window's image, placed at 1, 1 of a
// white bitmap of that size. Parts of the block outside the image stay white.
QImage SnapshotBlock(const QImage& window, QPoint source, QSize size);

// Where the block starts, in the window's own coordinates (frame not included).
QPoint SnapshotSource(const QMainWindow& window);

// Grabs the window and writes the snapshot of a picture of `pictureSize` to `file`
// as a GIF picture. False, with nothing written, when the window gives no image
// or there is no picture to take; a file that cannot be written raises FileError.
bool WriteSnapshot(QMainWindow& window, QSize pictureSize, const std::string& file);
