#include "ScreenshotWriter.h"

#include "BitmapWriter.h"
#include "BottomUpBgrBuffer.h"
#include "CaptureSpool.h"
#include "ConvertedRows.h"
#include "JpegWriter.h"
#include "PictureWithoutText.h"
#include "PngWriter.h"
#include "SpoolTicket.h"
#include "core/AppState.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/PictureTitle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QImageReader>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <cerrno>

namespace {

// The program's own error number for a picture that cannot be read.
constexpr int invalidPictureError = 481;

bool takenOnDisk(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString freeName(const ScreenshotJob& job, int& counter)
{
    const QString suffix =
        SyncthingFolderOf(job.folder).isEmpty() ? job.suffix : SharedLibraryMark() + job.suffix;
    QString name = ScreenshotName(job.when, counter, suffix, job.extension);
    while (takenOnDisk(job.folder + name))
        name = ScreenshotName(job.when, ++counter, suffix, job.extension);
    return name;
}

// Twice Qt's own limit: a long page captured whole (1920 x 60,000 pixels) still fits.
constexpr int decodeLimitMegabytes = int(PictureBytesLimit >> 20);

// Buffers are kept for the next picture up to this: what an 8K screenshot's come to, filed as
// a bitmap (its pixels, their 24-bit copy where they lie, the file).
constexpr qsizetype largestBuffersKept = qsizetype(256) << 20;

// Files other than PNG are encoded from the pixels' 24-bit copy.
bool asPng(const ScreenshotJob& job)
{
    return job.extension.compare(QLatin1String(".png"), Qt::CaseInsensitive) == 0;
}

// The picture's pixels, decoded when it came as a file: into \a canvas, in the 24-bit copy's
// memory, when the file is made from that copy, so that the copy is made where the pixels lie
// instead of beside them; else into the buffer kept for them. Null, with why in \a why, when
// they cannot be had.
const QImage& decoded(const ScreenshotJob& job, ScreenshotBuffers& buffers, QImage& canvas, QString& why)
{
    const ClipboardPicture& picture = job.picture;
    if (!picture.image.isNull())
        return picture.image;
    PictureWithoutText file(picture.bytes);
    QImageReader reader(&file);
    reader.setAllocationLimit(decodeLimitMegabytes);
    const QSize size = reader.size();
    const bool fits =
        size.isValid() && qint64(size.width()) * size.height() * 4 <= qint64(decodeLimitMegabytes) << 20;
    if (!asPng(job) && fits)
        canvas = buffers.dib.Canvas(size.width(), size.height(), reader.imageFormat());
    QImage& kept = canvas.isNull() ? buffers.picture : canvas;
    if (reader.read(&kept))
        return kept;
    kept = QImage();
    if (size.isValid() && !fits)
        why =
            QCoreApplication::translate(
                "ScreenshotWriter", "The picture on the clipboard is too large to be filed (%1 x %2 pixels).")
                .arg(size.width())
                .arg(size.height());
    else
        why = QCoreApplication::translate("ScreenshotWriter", "The picture on the clipboard cannot be read.");
    return kept;
}

// A digest of the colours the picture shows, row by row, so that neither padding bytes nor
// the way the colours are stored count: palette pictures of different colours differ, and the
// same picture fetched in another format is the same.
size_t pixelDigest(const QImage& image)
{
    const bool asColours = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    ConvertedRows colours(image, asColours ? image.format() : QImage::Format_ARGB32);
    size_t digest = qHash(image.size());
    const auto rowBytes = static_cast<size_t>(image.width()) * sizeof(QRgb);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = colours.row(y);
        if (!row)
            break;
        digest = qHashBits(row, rowBytes, digest);
    }
    return digest;
}

// The digest of the picture in the file at \a path; none when it cannot be read.
std::optional<size_t> fileDigest(const QString& path)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return std::nullopt;
    QImageReader reader(&file);
    reader.setAllocationLimit(decodeLimitMegabytes);
    const QImage picture = reader.read();
    return picture.isNull() ? std::nullopt : std::optional(pixelDigest(picture));
}

// Whether the file at \a path shows the pixels \a pixels of a picture of \a size: one of
// another size is not decoded.
bool shows(const QString& path, QSize size, size_t pixels)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return false;
    QImageReader reader(&file);
    reader.setAllocationLimit(decodeLimitMegabytes);
    if (reader.size() != size)
        return false;
    const QImage picture = reader.read();
    return !picture.isNull() && pixelDigest(picture) == pixels;
}

// A picture a notification can show: scaled in two steps, so that a 4K screenshot costs a
// millisecond or two, not a smooth pass over all of its pixels.
QImage thumbnailOf(const QImage& picture, int size)
{
    const QSize target =
        picture.size().scaled(QSize(size, size), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    QImage rough = picture;
    if (picture.width() > 4 * target.width())
        rough = picture.scaled(target * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return rough.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

// Leaves \a canvas, and so \a picture when it is the canvas, null.
Outcome encode(const ScreenshotJob& job, const QImage& picture, QImage& canvas, ScreenshotBuffers& buffers)
{
    QByteArray& file = buffers.file;
    // Straight from the clipboard's pixels: no section, so alpha and deep colour stay exact.
    if (asPng(job))
        return EncodePngFile(picture, file);
    BottomUpBgrBuffer& dib = buffers.dib;
    if (Outcome created = canvas.isNull() ? dib.CreateFromPicture(picture) : dib.CreateFromCanvas(canvas);
        !created.done())
        return created;
    if (job.extension.compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0)
        return EncodeBitmapFile(dib, file);
    return EncodeJpegFile(dib, job.jpegQuality, file);
}

Outcome failure(const Outcome& why, const QString& detail = QString())
{
    QString message = QCoreApplication::translate(
                          "ScreenshotWriter", "An error has occurred while creating image file.  Error %1")
                          .arg(why.error);
    const QString text = why.text + detail;
    if (!text.isEmpty())
        message += QStringLiteral("\n\n") + text;
    return Outcome::failed(why.error, message);
}

// Files the new picture \a picture of \a job: its path in \a result, or why not.
void writeNew(const ScreenshotJob& job, const QImage& picture, QImage& canvas, ScreenshotBuffers& buffers,
              const std::function<void(const QString& path)>& beforeWrite, ScreenshotResult& result)
{
    if (job.folder.isEmpty())
        return;
    if (const Outcome made = EnsureFolder(job.folder); !made.done()) {
        result.outcome = failure(made, QStringLiteral(": ") + job.folder);
        return;
    }
    // Taken before encoding, which may turn the decoded pixels into the 24-bit ones.
    QImage thumbnail = job.thumbnailSize > 0 ? thumbnailOf(picture, job.thumbnailSize) : QImage();
    if (thumbnail.constBits() == picture.constBits())
        thumbnail = picture.copy(); // a picture of notification size may be the decoded one itself
    QByteArray& bytes = buffers.file;
    if (const Outcome encoded = encode(job, picture, canvas, buffers); !encoded.done()) {
        result.outcome = failure(encoded);
        return;
    }
    if (!job.title.isEmpty())
        AddPictureTitle(bytes, job.title);
    // Another program, or the filing of an earlier picture of the same second, may take the
    // name between the look-up and the write: then the next one. The spool learns each name
    // before the file is there, so that a start after a kill finds the picture filed instead of
    // filing it twice.
    const auto write = [&job, &bytes](const QString& name) {
        if (job.spooled)
            job.spooled->naming(job.folder + name);
        return WriteNewFile(job.folder + name, bytes);
    };
    int counter = 1;
    QString name = freeName(job, counter);
    if (beforeWrite)
        beforeWrite(job.folder + name);
    Outcome written = write(name);
    for (int attempt = 0; written.error == EEXIST && attempt < 100; ++attempt) {
        name = freeName(job, counter);
        written = write(name);
    }
    if (!written.done()) {
        result.outcome = failure(written, QStringLiteral(": ") + job.folder + name);
        return;
    }
    result.path = job.folder + name;
    result.thumbnail = thumbnail;
}

} // namespace

std::optional<size_t> PictureDigest(const ClipboardPicture& picture)
{
    if (!picture.image.isNull())
        return pixelDigest(picture.image);
    PictureWithoutText file(picture.bytes);
    QImageReader reader(&file);
    reader.setAllocationLimit(decodeLimitMegabytes);
    const QImage image = reader.read();
    return image.isNull() ? std::nullopt : std::optional(pixelDigest(image));
}

QString ScreenshotName(const QDateTime& when, int counter, const QString& suffix, const QString& extension)
{
    QString name = QStringLiteral("Image_") + when.toString(QStringLiteral("yyMMdd_HHmmss"));
    if (counter >= 2)
        name += QLatin1Char('_') + QString::number(counter);
    return name + suffix + extension;
}

QString SyncthingFolderOf(const QString& folder)
{
    for (QDir dir(folder);;) {
        if (QFileInfo::exists(dir.filePath(QStringLiteral(".stfolder"))))
            return dir.path() + QLatin1Char('/');
        if (!dir.cdUp())
            return QString();
    }
}

const QString& SharedLibraryMark()
{
    // Letters and digits that are not read one for another.
    static const QString mark = [] {
        const QLatin1String signs("abcdefghijkmnpqrstuvwxyz23456789");
        QString drawn(QLatin1Char('_'));
        for (int i = 0; i < 4; ++i)
            drawn += signs[QRandomGenerator::system()->bounded(int(signs.size()))];
        return drawn;
    }();
    return mark;
}

ScreenshotJob ScreenshotJobFor(const AppState& state, ClipboardPicture picture, const QDateTime& when,
                               const QString& suffix)
{
    ScreenshotJob job;
    job.picture = std::move(picture);
    job.folder = CurrentImageSetFolder(state);
    job.when = when;
    job.suffix = suffix;
    job.extension = state.settings.captureExtension;
    job.jpegQuality = state.settings.jpegQuality;
    // Time-lapse shots are told at its start and end, not one by one.
    if (state.settings.notifyCaptures && suffix.isEmpty())
        job.thumbnailSize = CaptureThumbnailSize;
    return job;
}

ScreenshotResult WriteScreenshot(const ScreenshotJob& job,
                                 const std::function<void(const QString& path)>& beforeWrite)
{
    ScreenshotBuffers buffers;
    return WriteScreenshot(job, buffers, beforeWrite);
}

ScreenshotResult WriteScreenshot(const ScreenshotJob& job, ScreenshotBuffers& buffers,
                                 const std::function<void(const QString& path)>& beforeWrite)
{
    if (job.picture.isNull() && !job.spoolFile.isEmpty()) {
        ScreenshotJob spooled = job;
        spooled.spoolFile.clear();
        spooled.picture = ReadSpooledPicture(job.spoolFile);
        return WriteScreenshot(spooled, buffers, beforeWrite);
    }
    // Buffers larger than a burst of screenshots needs (a long page's) go as soon as the picture
    // is filed, before the window decodes the new file in turn.
    const auto letGoOfLarge = qScopeGuard([&buffers] {
        if (qsizetype(buffers.dib.BytesHeld()) + buffers.picture.sizeInBytes() + buffers.file.size() >
            largestBuffersKept)
            buffers = ScreenshotBuffers();
    });
    ScreenshotResult result;
    QString unreadable;
    QImage canvas; // never outlives this filing, as the 24-bit copy's memory may not
    const QImage& picture = decoded(job, buffers, canvas, unreadable);
    if (picture.isNull()) {
        // Nothing to keep: it will not be read later either.
        if (job.spooled)
            job.spooled->done();
        result.outcome = failure(Outcome::failed(invalidPictureError, unreadable));
        return result;
    }
    result.pixels = pixelDigest(picture);
    if (job.restoredPixels == result.pixels ||
        (!job.ownFile.isEmpty() && fileDigest(job.ownFile) == result.pixels)) {
        if (job.spooled)
            job.spooled->done();
        result.restored = true;
        return result;
    }
    for (const QString& path : job.arrivals)
        if (shows(path, picture.size(), *result.pixels)) {
            if (job.spooled)
                job.spooled->done();
            result.arrived = path;
            return result;
        }
    writeNew(job, picture, canvas, buffers, beforeWrite, result);
    if (job.spooled && !result.path.isEmpty())
        job.spooled->done();
    else if (job.spooled)
        job.spooled->naming(QString());
    return result;
}

RecoveredScreenshots RecoverScreenshots(const QString& libraryRoot, quint64 spooledBefore)
{
    RecoveredScreenshots recovered;
    int removed = 0;
    const auto folders = [](const QString& parent) {
        QStringList found;
        for (const FolderEntry& entry : ListFolder(parent)) {
            if ((entry.kind == FolderEntry::Kind::Folder || entry.kind == FolderEntry::Kind::FolderLink) &&
                !entry.name.startsWith(QLatin1Char('.')))
                found.append(parent + entry.name + QLatin1Char('/'));
        }
        return found;
    };
    for (const QString& category : folders(libraryRoot)) {
        for (const QString& imageSet : folders(category))
            recovered.files += SettleTemporaries(imageSet, 0, &removed);
    }
    // Settled first: a picture the spool holds whose file a kill left whole is filed already.
    recovered.spooled = LeftInSpool(libraryRoot, spooledBefore, recovered.lastPixels);
    recovered.cut = removed > 0;
    return recovered;
}
