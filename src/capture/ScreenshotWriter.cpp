#include "ScreenshotWriter.h"

#include "BitmapWriter.h"
#include "BottomUpBgrBuffer.h"
#include "JpegWriter.h"
#include "PngWriter.h"
#include "core/AppState.h"
#include "platform/FileSystem.h"
#include "platform/PictureTitle.h"

#include <QFileInfo>
#include <QHashFunctions>
#include <cerrno>

namespace {

// The program's own error number for a picture that cannot be read.
constexpr int invalidPictureError = 481;

bool takenOnDisk(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A name listed in the Image Set, ignoring case.
bool listed(const QStringList& files, const QString& name)
{
    for (const QString& entry : files) {
        if (entry.endsWith(name, Qt::CaseInsensitive) && entry.size() > name.size() &&
            entry.at(entry.size() - name.size() - 1) == QLatin1Char('/'))
            return true;
    }
    return false;
}

QString freeName(const ScreenshotJob& job, int& counter)
{
    QString name = ScreenshotName(job.when, counter, job.suffix, job.extension);
    while (listed(job.listed, name) || takenOnDisk(job.folder + name))
        name = ScreenshotName(job.when, ++counter, job.suffix, job.extension);
    return name;
}

QImage decoded(const ClipboardPicture& picture)
{
    return picture.image.isNull() ? QImage::fromData(picture.bytes) : picture.image;
}

// A digest of what the picture shows, row by row, so padding bytes never count.
size_t pixelDigest(const QImage& image)
{
    size_t digest = qHash(image.size()) ^ static_cast<size_t>(image.format());
    const auto rowBytes = static_cast<size_t>(image.width()) * static_cast<size_t>(image.depth()) / 8;
    for (int y = 0; y < image.height(); ++y)
        digest = qHashBits(image.constScanLine(y), rowBytes, digest);
    return digest;
}

Outcome encode(const ScreenshotJob& job, const QImage& picture, QByteArray& file)
{
    // Straight from the clipboard's pixels: no section, so alpha and deep colour stay exact.
    if (job.extension.compare(QLatin1String(".png"), Qt::CaseInsensitive) == 0)
        return EncodePngFile(picture, file);
    BottomUpBgrBuffer dib;
    if (Outcome created = dib.CreateFromPicture(picture); !created.done())
        return created;
    if (job.extension.compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0)
        return EncodeBitmapFile(dib, file);
    return EncodeJpegFile(dib, job.jpegQuality, file);
}

Outcome failure(const Outcome& why, const QString& detail = QString())
{
    QString message = QStringLiteral("An error has occurred while creating image file.  Error ") +
                      QString::number(why.error);
    const QString text = why.text + detail;
    if (!text.isEmpty())
        message += QStringLiteral("\n\n") + text;
    return Outcome::failed(why.error, message);
}

} // namespace

QString ScreenshotName(const QDateTime& when, int counter, const QString& suffix, const QString& extension)
{
    QString name = QStringLiteral("Image_") + when.toString(QStringLiteral("yyMMdd_HHmmss"));
    if (counter >= 2)
        name += QLatin1Char('_') + QString::number(counter);
    return name + suffix + extension;
}

ScreenshotJob ScreenshotJobFor(const AppState& state, ClipboardPicture picture, const QDateTime& when)
{
    ScreenshotJob job;
    job.picture = std::move(picture);
    job.folder = CurrentImageSetFolder(state);
    job.when = when;
    job.suffix = state.captureSuffix;
    job.extension = state.settings.captureExtension;
    job.jpegQuality = state.settings.jpegQuality;
    job.listed = state.imageSetFiles;
    return job;
}

ScreenshotResult WriteScreenshot(const ScreenshotJob& job)
{
    ScreenshotResult result;
    const QImage picture = decoded(job.picture);
    if (picture.isNull()) {
        result.outcome = failure(Outcome::failed(
            invalidPictureError, QStringLiteral("The picture on the clipboard cannot be read.")));
        return result;
    }
    if (job.restoredPixels) {
        result.pixels = pixelDigest(picture);
        if (*job.restoredPixels == result.pixels) {
            result.restored = true;
            return result;
        }
    }
    if (const Outcome made = EnsureFolder(job.folder); !made.done()) {
        result.outcome = failure(made, QStringLiteral(": ") + job.folder);
        return result;
    }
    QByteArray bytes;
    if (const Outcome encoded = encode(job, picture, bytes); !encoded.done()) {
        result.outcome = failure(encoded);
        return result;
    }
    if (!job.title.isEmpty())
        AddPictureTitle(bytes, job.title);
    // Another program, or the filing of an earlier picture of the same second, may take the
    // name between the look-up and the write: then the next one.
    int counter = 1;
    QString name = freeName(job, counter);
    Outcome written = WriteNewFile(job.folder + name, bytes);
    for (int attempt = 0; written.error == EEXIST && attempt < 100; ++attempt) {
        name = freeName(job, counter);
        written = WriteNewFile(job.folder + name, bytes);
    }
    if (!written.done()) {
        result.outcome = failure(written, QStringLiteral(": ") + job.folder + name);
        return result;
    }
    result.path = job.folder + name;
    if (!job.restoredPixels)
        result.pixels = pixelDigest(picture);
    return result;
}
