#pragma once

// Writes a picture as a GIF file with giflib, through a 256-colour palette.

#include <QImage>
#include <QString>

namespace art {

// False, with a message, when the file cannot be written.
bool WriteGif(const QImage& image, const QString& path, QString& error);

} // namespace art
