#include "ScreenshotForReading.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// A screenshot of eight 4K screens side by side still fits; a file claiming more is a bomb.
constexpr qint64 mostPixels = 8LL * 3840 * 2160;
constexpr int decodeLimitMegabytes = 320;
// Pictures up to this height hold screen text too small for the recognizer's models.
constexpr int enlargeUpToHeight = 1600;

} // namespace

PictureForReading ScreenshotForReading(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(decodeLimitMegabytes);
    // Where the type tells the size in advance; the allocation limit guards the others.
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > mostPixels)
        return {};
    QImage picture = reader.read().convertToFormat(QImage::Format_Grayscale8);
    if (picture.isNull() || picture.height() > enlargeUpToHeight)
        return {picture, 1};
    return {picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 2};
}
