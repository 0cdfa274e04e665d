#include "PngWriter.h"

#include "BottomUpBgrBuffer.h"
#include "platform/LibPng.h"

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
bool opaque(const QImage& argb32)
{
    for (int y = 0; y < argb32.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb32.constScanLine(y));
        for (int x = 0; x < argb32.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

bool opaque64(const QImage& rgba64)
{
    for (int y = 0; y < rgba64.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgba64*>(rgba64.constScanLine(y));
        for (int x = 0; x < rgba64.width(); ++x)
            if (!row[x].isOpaque())
                return false;
    }
    return true;
}

Outcome encoded(const QImage& pixels, PngRows rows, QByteArray& file)
{
    if (pixels.isNull())
        return Outcome::failed(BottomUpBgrBuffer::outOfMemoryError, QStringLiteral("Out of memory"));
    PngEncoding encoding =
        EncodePng(pixels.constBits(), pixels.width(), pixels.height(), pixels.bytesPerLine(), rows);
    if (!encoding.ok)
        return Outcome::failed(PngErrorNumber,
                               QStringLiteral("Failed to save to PNG (%1)").arg(encoding.message));
    file = std::move(encoding.bytes);
    return {};
}

} // namespace

Outcome EncodePngFile(const QImage& picture, QByteArray& file)
{
    const bool deep = deepColour(picture.format());
    const long long bytes = static_cast<long long>(picture.width()) * picture.height() * (deep ? 8 : 4);
    if (bytes > std::numeric_limits<int>::max())
        return BottomUpBgrBuffer::overflow();

    if (deep) {
        if (!picture.hasAlphaChannel())
            return encoded(picture.convertToFormat(QImage::Format_RGBX64), PngRows::Rgbx16, file);
        const QImage pixels = picture.convertToFormat(QImage::Format_RGBA64);
        return encoded(pixels, opaque64(pixels) ? PngRows::Rgbx16 : PngRows::Rgba16, file);
    }
    const bool asIs = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32;
    const QImage pixels = asIs ? picture
                               : picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                                   : QImage::Format_RGB32);
    if (pixels.format() == QImage::Format_RGB32 || opaque(pixels))
        return encoded(pixels, PngRows::Rgb32, file);
    return encoded(pixels.convertToFormat(QImage::Format_RGBA8888), PngRows::Rgba8, file);
}
