#include "ui/reportsnapshot.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include "core/errors.h"
#include "art/gifwriter.h"

QImage SnapshotBlock(const QImage& window, QPoint source, QSize size)
{
    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.drawImage(QPoint(1, 1), window, QRect(source, size));
    return bitmap;
}

QPoint SnapshotSource(const QMainWindow& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    // The client area lies below the menu bar.
    const QWidget* menu = window.menuWidget();
    const int clientHeight = inner.height() - (menu && menu->isVisible() ? menu->height() : 0);
    const int frameOffset = outer.height() - clientHeight;
    return QPoint(5, frameOffset) - (inner.topLeft() - outer.topLeft());
}

bool WriteSnapshot(QMainWindow& window, QSize pictureSize, const std::string& file)
{
    const QSize size = pictureSize - QSize(4, 4);
    if (size.isEmpty())
        return false;
    QImage image = window.grab().toImage();
    if (image.isNull())
        return false;
    // On a high-density screen the grab has more pixels than the window has points.
    if (image.size() != window.size())
        image = image.scaled(window.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QString error;
    if (!art::WriteGif(SnapshotBlock(image, SnapshotSource(window), size), QString::fromStdString(file), error))
        ThrowCannotCreate(file);
    return true;
}
