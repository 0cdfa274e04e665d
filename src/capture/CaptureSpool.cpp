#include "CaptureSpool.h"

#include "SpoolShared.h"
#include "SpoolTicket.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"

#include <QDataStream>
#include <QFile>
#include <QMutexLocker>
#include <QTimeZone>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr quint32 spoolMagic = 0x56535031; // "VSP1"

QString spoolFolder(const QString& libraryRoot)
{
    return libraryRoot + QStringLiteral(".vistrelle-spool/");
}

// What each machine keeps for itself never goes to the others: in a library Syncthing shares,
// its ignore patterns (".stignore", which stays on each machine) name the spool and the lock
// that stands in for a folder's own. Shared, one machine's normal end would remove the other's
// running mark, and its numbered pictures would replace the other's.
void keepOutOfSync(const QString& libraryRoot)
{
    const QString shared = SyncthingFolderOf(libraryRoot);
    if (shared.isEmpty())
        return;
    QFile ignores(shared + QStringLiteral(".stignore"));
    QByteArray kept;
    if (ignores.open(QIODevice::ReadOnly))
        kept = ignores.readAll();
    ignores.close();
    QByteArray missing;
    const QList<QByteArray> lines = kept.split('\n');
    for (const char* pattern : {".vistrelle-spool", ".vistrelle.lock"})
        if (!std::ranges::any_of(lines, [&](const QByteArray& line) { return line.trimmed() == pattern; }))
            missing += QByteArray(pattern) + '\n';
    if (missing.isEmpty())
        return;
    if (!kept.isEmpty() && !kept.endsWith('\n'))
        missing.prepend('\n');
    if (ignores.open(QIODevice::WriteOnly | QIODevice::Append))
        ignores.write(missing);
}

// There while a program keeps pictures in the spool: found at a start, the run before was killed.
QString runningMark(const QString& folder)
{
    return folder + QStringLiteral("running");
}

// The number of the spool file \a name ("000000000042.spool"), 0 when it is none.
quint64 idOf(const QString& name)
{
    bool number = false;
    const quint64 id = name.section(QLatin1Char('.'), 0, 0).toULongLong(&number);
    return number && name.size() > 12 && name.at(12) == QLatin1Char('.') ? id : 0;
}

// Kinds of entry: the bytes as sent, a window's pixels, or a header alone whose picture stands
// in the file the clipboard's reader kept it in as it arrived.
enum class Kind : quint8 { Bytes, Pixels, Caught };

QByteArray header(const ScreenshotJob& job, const QImage& image, quint64 follows, bool caught)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << spoolMagic << job.folder << qint64(job.when.toMSecsSinceEpoch())
        << qint32(job.when.offsetFromUtc()) << job.suffix << job.extension << qint32(job.jpegQuality)
        << job.title << job.ownFile << bool(job.picture.change != 0) << follows;
    if (caught)
        out << quint8(Kind::Caught) << qint64(0);
    else if (image.isNull())
        out << quint8(Kind::Bytes) << qint64(job.picture.bytes.size());
    else
        out << quint8(Kind::Pixels) << qint32(image.width()) << qint32(image.height())
            << qint32(image.format()) << qint32(image.bytesPerLine()) << qint64(image.sizeInBytes());
    return bytes;
}

// Writes the header and the picture's bytes to \a path (the header alone for a picture \a caught
// already); false when the disk would not take them. Not synced yet: a killed program's writes
// are kept by the system all the same.
bool writeEntry(const QString& path, const ScreenshotJob& job, quint64 follows, bool caught = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    // Kept as the colours it shows: a palette would need a table of its own.
    const QImage& picture = job.picture.image;
    const QImage image = caught || picture.isNull() || picture.format() >= QImage::Format_RGB32
                             ? picture
                             : picture.convertToFormat(QImage::Format_ARGB32);
    const QByteArray head = header(job, image, follows, caught);
    const auto picturePart = [&] {
        if (caught)
            return true;
        if (image.isNull())
            return file.write(job.picture.bytes) == job.picture.bytes.size();
        return file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()) ==
               image.sizeInBytes();
    };
    const bool whole = file.write(head) == head.size() && picturePart() && file.flush();
    file.close();
    return whole && file.error() == QFile::NoError;
}

void syncFile(const QString& path)
{
    const int fd = ::open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fdatasync(fd);
        ::close(fd);
    }
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// What the header of the spool file read by \a in says; \a pictureBytes how many bytes of the
// picture follow it.
struct SpoolHeader
{
    ScreenshotJob job;
    bool fromClipboard = false;
    quint64 follows = 0; // the clipboard picture it came straight after, when it may be that one back
    quint8 kind = 0;
    qint32 width = 0, height = 0, format = 0, bytesPerLine = 0;
    qint64 pictureBytes = -1;
};

std::optional<SpoolHeader> readHeader(QDataStream& in)
{
    in.setVersion(QDataStream::Qt_6_0);
    SpoolHeader head;
    quint32 magic = 0;
    qint64 when = 0;
    qint32 offset = 0, quality = 0;
    in >> magic;
    if (magic != spoolMagic)
        return std::nullopt;
    in >> head.job.folder >> when >> offset >> head.job.suffix >> head.job.extension >> quality >>
        head.job.title >> head.job.ownFile >> head.fromClipboard >> head.follows >> head.kind;
    if (head.kind == quint8(Kind::Pixels))
        in >> head.width >> head.height >> head.format >> head.bytesPerLine;
    in >> head.pictureBytes;
    if (in.status() != QDataStream::Ok || head.kind > quint8(Kind::Caught) || head.pictureBytes < 0 ||
        (head.kind == quint8(Kind::Caught) && head.pictureBytes != 0))
        return std::nullopt;
    // A window's pixels as grabbed: never a palette, never larger than a picture is decoded to.
    if (head.kind == quint8(Kind::Pixels) &&
        (head.format < QImage::Format_RGB32 || head.format >= QImage::NImageFormats || head.width <= 0 ||
         head.height <= 0 || qint64(head.bytesPerLine) * head.height != head.pictureBytes ||
         head.pictureBytes > PictureBytesLimit))
        return std::nullopt;
    // The name it would have had: the wall-clock time of where it was taken.
    head.job.when = QDateTime::fromMSecsSinceEpoch(when, QTimeZone(offset));
    head.job.jpegQuality = quality;
    return head;
}

// The file a picture caught as it arrived stands in, beside the entry at \a path.
QString caughtFile(const QString& path)
{
    return path.chopped(int(std::strlen(".spool"))) + QStringLiteral(".got");
}

// The header of the spool file at \a path, when the whole picture follows it (or stands whole
// where it was caught).
std::optional<SpoolHeader> wholeEntry(const QString& path)
{
    QFile file(path);
    if (!OpenRegularFile(file, path))
        return std::nullopt;
    QDataStream in(&file);
    std::optional<SpoolHeader> head = readHeader(in);
    if (!head || file.size() - file.pos() != head->pictureBytes)
        return std::nullopt;
    if (head->kind == quint8(Kind::Caught) &&
        (!path.endsWith(QLatin1String(".spool")) || !wholeEntry(caughtFile(path))))
        return std::nullopt;
    return head;
}

// The spool number and pixels of the clipboard picture filed last, as "NUMBER PIXELS".
std::optional<std::pair<quint64, size_t>> lastKnown(const QString& folder)
{
    QFile file(folder + QStringLiteral("last"));
    if (!OpenRegularFile(file, file.fileName()))
        return std::nullopt;
    const QList<QByteArray> parts = file.read(64).trimmed().split(' ');
    bool id = false, number = false;
    const std::pair<quint64, size_t> known{parts.first().toULongLong(&id), parts.last().toULongLong(&number)};
    return parts.size() == 2 && id && number ? std::optional(known) : std::nullopt;
}

} // namespace

CaptureSpool::CaptureSpool()
{
    // One thread keeps the spool's files in the order the pictures came.
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

CaptureSpool::~CaptureSpool()
{
    m_pool.waitForDone();
    if (m_made)
        RemoveEntry(runningMark(m_shared->folder));
}

void CaptureSpool::open(const QString& libraryRoot)
{
    keepOutOfSync(libraryRoot);
    const QString folder = spoolFolder(libraryRoot);
    quint64 last = 0;
    for (const FolderEntry& entry : ListFolder(folder))
        last = std::max(last, idOf(entry.name));
    m_lastRunKilled = m_made = EntryExists(runningMark(folder));
    if (QFile own(folder + QStringLiteral("own")); OpenRegularFile(own, own.fileName()))
        m_lastOwnCopy = QString::fromUtf8(own.read(4096));
    if (const auto known = lastKnown(folder))
        m_lastKnown = known->first;
    m_shared = std::make_shared<SpoolShared>();
    m_shared->folder = folder;
    // Numbers go on from the last picture recorded as filed, whose entry may be gone: a later
    // picture must never look older than it.
    m_firstNew = std::max(last, m_lastKnown) + 1;
    m_shared->next = m_firstNew;
}

bool CaptureSpool::made()
{
    if (m_made || !m_shared)
        return m_made;
    // Private: the pictures in it may show what the user keeps from others.
    const QString& folder = m_shared->folder;
    if (::mkdir(NativePath(folder).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    m_made = WriteFileReplacing(runningMark(folder), QByteArray()).done();
    return m_made;
}

Clipboard::Catcher CaptureSpool::catcher(Clock& clock)
{
    // On the clipboard reader's thread: only what the spool shares with it, and its own pool.
    const auto keep = [shared = m_shared, pool = &m_pool, &clock](const ClipboardPicture& picture,
                                                                  quint64 place) -> quint64 {
        if (!shared->catching)
            return 0;
        if (::mkdir(NativePath(shared->folder).constData(), 0700) != 0 && errno != EEXIST)
            return 0;
        // Filed from here only when a kill stops it on its way: then as one that came then,
        // into the Image Set shown at the next start.
        ScreenshotJob job;
        job.picture = picture;
        job.when = clock.now();
        const quint64 id = place != 0 ? place : shared->next++;
        const QString part = shared->file(id, ".part"), got = shared->file(id, ".got");
        if (!writeEntry(part, job, 0) ||
            ::rename(NativePath(part).constData(), NativePath(got).constData()) != 0) {
            RemoveEntry(part);
            return 0;
        }
        pool->start([got, folder = shared->folder] {
            syncFile(got);
            syncFolder(folder);
        });
        return id;
    };
    // Numbers in the order the pictures' readings began: a start after a kill files them so.
    return {[shared = m_shared] { return shared->next++; }, keep};
}

void CaptureSpool::catching(bool on)
{
    if (m_shared)
        m_shared->catching = on;
}

void CaptureSpool::release(quint64 caught)
{
    if (caught != 0 && m_shared)
        RemoveEntry(m_shared->file(caught, ".got"));
}

std::shared_ptr<SpoolTicket> CaptureSpool::keep(const ScreenshotJob& job, bool mayBeBack)
{
    if (!made()) {
        release(job.picture.caught);
        return nullptr;
    }
    const quint64 caught = job.picture.caught;
    const quint64 id = caught != 0 ? caught : m_shared->next++;
    quint64 follows = 0;
    if (job.picture.change != 0) {
        follows = mayBeBack ? (m_lastCopy != 0 ? m_lastCopy : m_lastKnown) : 0;
        m_lastCopy = id;
    }
    m_pool.start([shared = m_shared, id, job, follows, caught] {
        const QString part = shared->file(id, ".part");
        const bool whole = writeEntry(part, job, follows, caught != 0);
        {
            const QMutexLocker lock(&shared->mutex);
            if (!whole || shared->letGo.remove(id)) {
                RemoveEntry(part);
                RemoveEntry(shared->file(id, ".got"));
                return;
            }
            if (::rename(NativePath(part).constData(), NativePath(shared->file(id, ".spool")).constData()) !=
                0) {
                RemoveEntry(part);
                return;
            }
            shared->written.insert(id);
        }
        // Then on the disk, for a machine that stops: a picture half there is not taken at the
        // next start, as its header tells how long it is.
        syncFile(shared->file(id, ".spool"));
        syncFolder(shared->folder);
    });
    return std::make_shared<SpoolTicket>(m_shared, id);
}

std::shared_ptr<SpoolTicket> CaptureSpool::ticketFor(quint64 id)
{
    {
        const QMutexLocker lock(&m_shared->mutex);
        m_shared->written.insert(id);
    }
    return std::make_shared<SpoolTicket>(m_shared, id);
}

void CaptureSpool::known(const SpoolTicket* ticket, size_t pixels)
{
    // A picture filed late, after its failure, is not the one the next may be back from.
    if (!ticket || ticket->id() <= m_lastKnown || !made())
        return;
    m_lastKnown = ticket->id();
    m_pool.start([folder = m_shared->folder,
                  known = QByteArray::number(m_lastKnown) + ' ' + QByteArray::number(quint64(pixels))] {
        WriteFileReplacing(folder + QStringLiteral("last"), known);
    });
}

void CaptureSpool::copied(const QString& picture)
{
    if (!made())
        return;
    m_pool.start([own = m_shared->folder + QStringLiteral("own"), picture] {
        if (picture.isEmpty())
            RemoveEntry(own);
        else
            WriteFileReplacing(own, picture.toUtf8());
    });
}

QList<SpooledScreenshot> LeftInSpool(const QString& libraryRoot, quint64 firstNew,
                                     std::optional<size_t>& lastPixels)
{
    const QString folder = spoolFolder(libraryRoot);
    QList<quint64> ids;
    for (const FolderEntry& entry : ListFolder(folder)) {
        const quint64 id = idOf(entry.name);
        if (id == 0 || id >= firstNew)
            continue;
        if (entry.name.endsWith(QLatin1String(".spool")) || entry.name.endsWith(QLatin1String(".got")))
            ids.append(id);
        else if (entry.name.endsWith(QLatin1String(".part")))
            RemoveEntry(folder + entry.name);
    }
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    SpoolShared names;
    names.folder = folder;
    // The pixels of each clipboard picture, filed before the kill or left, as far as they were
    // needed: one that came straight after another may be that one put back. Of one gone
    // before, only the last filed or found kept already is known; any other was let go unfiled.
    const std::optional<std::pair<quint64, size_t>> known = lastKnown(folder);
    const std::optional<size_t> lastFiled = known ? std::optional(known->second) : std::nullopt;
    QHash<quint64, QString> copies;
    QHash<quint64, std::optional<size_t>> pixelsOf;
    const auto pixels = [&](quint64 id) -> std::optional<size_t> {
        if (!pixelsOf.contains(id) && copies.contains(id))
            pixelsOf.insert(id, PictureDigest(ReadSpooledPicture(copies.value(id))));
        if (pixelsOf.contains(id))
            return pixelsOf.value(id);
        return known && known->first == id ? lastFiled : std::nullopt;
    };
    quint64 lastCopy = 0;
    QList<SpooledScreenshot> left;
    for (const quint64 id : std::as_const(ids)) {
        // Caught as it arrived and never taken up: the picture alone, as of when it came.
        const QString path =
            EntryExists(names.file(id, ".spool")) ? names.file(id, ".spool") : names.file(id, ".got");
        QFile nameFile(names.file(id, ".name"));
        const QString filedAs = OpenRegularFile(nameFile, nameFile.fileName())
                                    ? QString::fromUtf8(nameFile.read(4096))
                                    : QString();
        nameFile.close();
        std::optional<SpoolHeader> head = wholeEntry(path);
        if (!head || (!filedAs.isEmpty() && EntryExists(filedAs))) {
            if (head && head->fromClipboard) {
                pixelsOf.insert(id, PictureDigest(ReadSpooledPicture(path)));
                lastCopy = id;
            }
            RemoveEntry(names.file(id, ".spool"));
            RemoveEntry(names.file(id, ".got"));
            RemoveEntry(nameFile.fileName());
            continue;
        }
        SpooledScreenshot spooled{id, std::move(head->job), head->fromClipboard};
        spooled.job.spoolFile = path;
        if (head->fromClipboard) {
            if (head->follows != 0)
                spooled.job.restoredPixels = pixels(head->follows);
            copies.insert(id, path);
            lastCopy = id;
        }
        left.append(std::move(spooled));
    }
    lastPixels = lastCopy != 0 && (!known || known->first < lastCopy) ? pixels(lastCopy) : lastFiled;
    for (const FolderEntry& entry : ListFolder(folder)) {
        const quint64 id = idOf(entry.name);
        if (id != 0 && id < firstNew && entry.name.endsWith(QLatin1String(".name")) &&
            !EntryExists(names.file(id, ".spool")) && !EntryExists(names.file(id, ".got")))
            RemoveEntry(folder + entry.name);
    }
    return left;
}

ClipboardPicture ReadSpooledPicture(const QString& path)
{
    QFile file(path);
    if (!OpenRegularFile(file, path))
        return {};
    QDataStream in(&file);
    const std::optional<SpoolHeader> head = readHeader(in);
    if (!head || file.size() - file.pos() != head->pictureBytes)
        return {};
    if (head->kind == quint8(Kind::Caught))
        return path.endsWith(QLatin1String(".spool")) ? ReadSpooledPicture(caughtFile(path))
                                                      : ClipboardPicture();
    if (head->kind == quint8(Kind::Bytes))
        return ClipboardPicture::sent(0, 0, file.read(head->pictureBytes));
    QImage image(head->width, head->height, QImage::Format(head->format));
    if (image.isNull() || image.bytesPerLine() != head->bytesPerLine ||
        image.sizeInBytes() != head->pictureBytes ||
        file.read(reinterpret_cast<char*>(image.bits()), image.sizeInBytes()) != image.sizeInBytes())
        return {};
    return ClipboardPicture::grabbed(std::move(image));
}
