#include "PngWriter.h"

#include "BottomUpBgrBuffer.h"
#include "ConvertedRows.h"
#include "platform/LibPng.h"

#include <QCoreApplication>
#include <QImage>
#include <limits>

namespace {

// Formats with more than 8 bits a channel: written with 16, so no level is lost.
bool deepColour(QImage::Format format)
{
    switch (format) {
    case QImage::Format_BGR30:
    case QImage::Format_A2BGR30_Premultiplied:
    case QImage::Format_RGB30:
    case QImage::Format_A2RGB30_Premultiplied:
    case QImage::Format_Grayscale16:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBA16FPx4:
    case QImage::Format_RGBA16FPx4_Premultiplied:
    case QImage::Format_RGBX32FPx4:
    case QImage::Format_RGBA32FPx4:
    case QImage::Format_RGBA32FPx4_Premultiplied:
        return true;
    default:
        return false;
    }
}

// Screenshots often come with an alpha channel that is opaque everywhere; a channel that says
// nothing is left out of the file.
bool opaque(const QImage& picture, QImage::Format format)
{
    ConvertedRows rows(picture, format);
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* row = rows.row(y);
        if (!row)
            return false;
        for (int x = 0; x < picture.width(); ++x) {
            if (format == QImage::Format_RGBA64 ? !reinterpret_cast<const QRgba64*>(row)[x].isOpaque()
                                                : qAlpha(reinterpret_cast<const QRgb*>(row)[x]) != 255)
                return false;
        }
    }
    return true;
}

} // namespace

Outcome EncodePngFile(const QImage& picture, QByteArray& file)
{
    const bool deep = deepColour(picture.format());
    const long long bytes = static_cast<long long>(picture.width()) * picture.height() * (deep ? 8 : 4);
    if (bytes > std::numeric_limits<int>::max())
        return BottomUpBgrBuffer::overflow();
    if (picture.isNull())
        return Outcome::failed(BottomUpBgrBuffer::outOfMemoryError,
                               QCoreApplication::translate("PngWriter", "Out of memory"));

    // Rows of another format are converted a band at a time as they are encoded, never the
    // picture whole beside itself.
    const bool alpha = picture.hasAlphaChannel();
    const QImage::Format format = deep ? (alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64)
                                       : (alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const bool translucent = alpha && !opaque(picture, format);
    const PngRows rows = deep ? (translucent ? PngRows::Rgba16 : PngRows::Rgbx16)
                              : (translucent ? PngRows::Argb32 : PngRows::Rgb32);
    ConvertedRows converted(picture, format);
    PngEncoding encoding =
        EncodePng([&converted](int y) { return converted.row(y); }, picture.width(), picture.height(), rows);
    if (!encoding.ok)
        return Outcome::failed(
            PngErrorNumber,
            QCoreApplication::translate("PngWriter", "Failed to save to PNG (%1)").arg(encoding.message));
    file = std::move(encoding.bytes);
    return {};
}
