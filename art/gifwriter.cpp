#include "gifwriter.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

namespace art {

bool WriteGif(const QImage& image, const QString& path, QString& error)
{
    // Qt's palette conversion is deterministic, so the same picture gives the same file.
    const QImage indexed = image.convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    std::vector<GifColorType> colours(256, GifColorType{0, 0, 0});
    const QList<QRgb> table = indexed.colorTable();
    for (qsizetype i = 0; i < table.size() && i < 256; ++i)
        colours[size_t(i)] = GifColorType{GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])),
                                          GifByteType(qBlue(table[i]))};
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(256, colours.data()), GifFreeMapObject);

    // Opened here rather than by giflib, which would create the file readable by its
    // owner only; this way the user's file-creation mask decides, as for any file.
    const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) {
        error = QString("cannot create %1: %2").arg(path, std::strerror(errno));
        return false;
    }
    int code = 0;
    GifFileType* gif = EGifOpenFileHandle(fd, &code);
    if (!gif) {
        ::close(fd);
        error = QString("cannot create %1: %2").arg(path, GifErrorString(code));
        return false;
    }
    bool ok = map && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map.get()) == GIF_OK
              && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(size_t(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        line.assign(row, row + indexed.width());
        ok = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    const int writeError = gif->Error;
    if (EGifCloseFile(gif, &code) != GIF_OK)
        ok = false;
    if (!ok)
        error = QString("cannot write %1: %2").arg(path, GifErrorString(writeError ? writeError : code));
    return ok;
}

}  // namespace art
