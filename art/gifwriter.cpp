#include "art/gifwriter.h"

#include <memory>
#include <string>
#include <vector>

#include <gif_lib.h>

#include "core/errors.h"
#include "core/wholefile.h"

namespace art {

bool WriteGif(const QImage& image, const QString& path, QString& error)
{
    // Qt's palette conversion is deterministic, so the same picture gives the same file.
    const QImage indexed = image.convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    std::vector<GifColorType> colours(256, GifColorType {0, 0, 0});
    const QList<QRgb> table = indexed.colorTable();
    for (qsizetype i = 0; i < table.size() && i < 256; ++i)
        colours[size_t(i)] = GifColorType {GifByteType(qRed(table[i])), GifByteType(qGreen(table[i])),
                                           GifByteType(qBlue(table[i]))};
    std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(256, colours.data()), GifFreeMapObject);

    // Encoded in memory, then saved by the program's one writer: a full disk or a
    // killed run leaves the previous picture, never half of one.
    std::string bytes;
    const auto append = [](GifFileType* file, const GifByteType* data, int length) {
        static_cast<std::string*>(file->UserData)->append(reinterpret_cast<const char*>(data), size_t(length));
        return length;
    };
    int code = 0;
    GifFileType* gif = EGifOpen(&bytes, append, &code);
    if (!gif) {
        error = QString("cannot create %1: %2").arg(path, GifErrorString(code));
        return false;
    }
    bool ok = map && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map.get()) == GIF_OK && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(size_t(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        line.assign(row, row + indexed.width());
        ok = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    const int writeError = gif->Error;
    if (EGifCloseFile(gif, &code) != GIF_OK)
        ok = false;
    if (!ok) {
        error = QString("cannot write %1: %2").arg(path, GifErrorString(writeError ? writeError : code));
        return false;
    }
    try {
        WriteWholeFile(path.toStdString(), bytes);
    } catch (const FileError& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
    return true;
}

} // namespace art
