#include "FileSystem.h"

#include "FileNames.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

int WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : EIO;
        done += written;
    }
    return 0;
}

namespace {

bool sameFile(const QByteArray& first, const QByteArray& second)
{
    struct stat a = {};
    struct stat b = {};
    return ::lstat(first.constData(), &a) == 0 && ::lstat(second.constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

/// A hidden file beside \a path, created for writing; its name goes to \a temporary.
int createTemporary(const QByteArray& path, QByteArray& temporary)
{
    const qsizetype slash = path.lastIndexOf('/');
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path.left(slash + 1) + '.' + path.mid(slash + 1) + '.' +
                    QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0') +
                    ".part";
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

/// A hidden temporary file beside \a path holding all of \a bytes on disk, closed; 0, or the
/// error number with nothing left behind.
int writeTemporary(const QByteArray& path, const QByteArray& bytes, QByteArray& temporary)
{
    const int fd = createTemporary(path, temporary);
    if (fd < 0)
        return errno;
    // Durable before the file gets its real name.
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fdatasync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    return error;
}

/// 0 once the entries of \a folder are on disk, or the error number.
int syncFolder(const QString& folder)
{
    const int fd = ::open(NativePath(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

/// Where a write to \a path lands: links followed to their end, also to a file not made yet, so
/// that replacing a file reached through a link replaces the link's target and the link stays.
QByteArray followedLinks(QByteArray path)
{
    for (int hop = 0; hop < 40; ++hop) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length < 0 || length == sizeof target)
            return path;
        const QByteArray step(target, length);
        path = step.startsWith('/') ? step : path.left(path.lastIndexOf('/') + 1) + step;
    }
    return path;
}

int takeNameNatively(int fromFolder, const char* from, int toFolder, const char* to)
{
    if (::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP && errno != EOPNOTSUPP)
        return errno;
    // A hard link cannot replace either.
    if (::linkat(fromFolder, from, toFolder, to, 0) != 0)
        return errno;
    if (::unlinkat(fromFolder, from, 0) == 0)
        return 0;
    const int error = errno;
    ::unlinkat(toFolder, to, 0);
    return error;
}

// True for the answers of a file system that has no no-replace rename or no hard links.
bool unsupported(int error)
{
    return error == EPERM || error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

// Where neither can be had, the name is first taken by an empty file made only if none is there,
// and the entry then renamed onto that file, which replaces nothing but our own reservation. A
// folder cannot go onto a file; a rename of it replaces no file and no folder with entries in it.
int renameOntoReservation(int fromFolder, const char* from, int toFolder, const char* to)
{
    struct stat source = {};
    if (::fstatat(fromFolder, from, &source, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (S_ISDIR(source.st_mode)) {
        struct stat taken = {};
        if (::fstatat(toFolder, to, &taken, AT_SYMLINK_NOFOLLOW) == 0)
            return EEXIST;
        return ::renameat(fromFolder, from, toFolder, to) == 0 ? 0 : errno;
    }
    const int fd = ::openat(toFolder, to, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    struct stat reserved = {};
    const bool known = ::fstat(fd, &reserved) == 0;
    ::close(fd);
    if (::renameat(fromFolder, from, toFolder, to) == 0)
        return 0;
    const int error = errno;
    // Only our own empty file goes: another program may have put its file there meanwhile.
    struct stat now = {};
    if (known && ::fstatat(toFolder, to, &now, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(now.st_mode) &&
        now.st_size == 0 && now.st_dev == reserved.st_dev && now.st_ino == reserved.st_ino)
        ::unlinkat(toFolder, to, 0);
    return error;
}

// 0 once \a from in \a fromFolder is named \a to in \a toFolder, never replacing a file; or
// the error number, EEXIST when the name is taken.
int renameWithoutReplacingAt(int fromFolder, const char* from, int toFolder, const char* to)
{
    const int error = TakeNameNatively(fromFolder, from, toFolder, to);
    return error == 0 || !unsupported(error) ? error : renameOntoReservation(fromFolder, from, toFolder, to);
}

} // namespace

int (*TakeNameNatively)(int fromFolder, const char* from, int toFolder, const char* to) = takeNameNatively;

Outcome RenameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = NativePath(from);
    const QByteArray target = NativePath(to);
    const int error = renameWithoutReplacingAt(AT_FDCWD, source.constData(), AT_FDCWD, target.constData());
    if (error == 0)
        return {};
    if (error != EEXIST)
        return Outcome::systemError(error);
    // Where the file system ignores case, the new spelling already names the same file.
    if (from.compare(to, Qt::CaseInsensitive) == 0 && sameFile(source, target))
        return ::rename(source.constData(), target.constData()) == 0 ? Outcome{}
                                                                     : Outcome::systemError(errno);
    return Outcome::refused(QCoreApplication::translate("FileSystem", "a file of that name is already there"),
                            EEXIST);
}

Outcome WriteNewFile(const QString& path, const QByteArray& bytes)
{
    QByteArray temporary;
    if (const int error = writeTemporary(NativePath(path), bytes, temporary))
        return Outcome::systemError(error);
    Outcome outcome = RenameWithoutReplacing(PathFromNative(temporary), path);
    if (!outcome.done()) {
        ::unlink(temporary.constData());
        return outcome;
    }
    // The name is durable only once the folder is: a power cut before that could leave the
    // folder without it, while the caller has already let the picture go.
    if (const int error = syncFolder(QFileInfo(path).path())) {
        ::unlink(NativePath(path).constData());
        return Outcome::systemError(error);
    }
    return outcome;
}

Outcome WriteFileReplacing(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = followedLinks(NativePath(path));
    QByteArray temporary;
    if (const int error = writeTemporary(target, bytes, temporary))
        return Outcome::systemError(error);
    if (::rename(temporary.constData(), target.constData()) == 0)
        return {};
    const int error = errno;
    ::unlink(temporary.constData());
    return Outcome::systemError(error);
}

Outcome RemoveEntry(const QString& path)
{
    const QByteArray name = NativePath(path);
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0 && errno == ENOENT)
        return Outcome::refused(QString(), ENOENT);
    if (S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR))
        ::chmod(name.constData(), (info.st_mode & 07777) | S_IWUSR);
    if (::unlink(name.constData()) == 0)
        return {};
    return errno == ENOENT ? Outcome::refused(QString(), ENOENT) : Outcome::systemError(errno);
}

Outcome RemoveFolderOrLink(const QString& folder)
{
    const QByteArray path = NativePath(folder);
    const bool removed = IsSymLink(folder) ? ::unlink(path.constData()) == 0 : ::rmdir(path.constData()) == 0;
    return removed ? Outcome{} : Outcome::systemError(errno);
}

void GiveFolderOwnerWrite(const QString& folder)
{
    struct stat info = {};
    const QByteArray path = NativePath(folder);
    if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && !(info.st_mode & S_IWUSR))
        ::chmod(path.constData(), (info.st_mode & 07777) | S_IWUSR);
}

bool IsSymLink(const QString& path)
{
    struct stat info = {};
    return ::lstat(NativePath(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

bool EntryExists(const QString& path)
{
    struct stat info = {};
    return ::lstat(NativePath(path).constData(), &info) == 0;
}

bool SameEntry(const QString& first, const QString& second)
{
    struct stat a = {};
    struct stat b = {};
    return ::stat(NativePath(first).constData(), &a) == 0 &&
           ::stat(NativePath(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::optional<FileFacts> ReadFileFacts(const QString& path)
{
    struct stat info = {};
    if (::stat(NativePath(path).constData(), &info) != 0)
        return std::nullopt;
    const qint64 ms = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
    return FileFacts{info.st_size, QDateTime::fromMSecsSinceEpoch(ms), S_ISREG(info.st_mode)};
}

Outcome MakeFolder(const QString& folder)
{
    if (::mkdir(NativePath(folder).constData(), 0777) == 0)
        return {};
    return errno == EEXIST ? Outcome::refused(QString(), EEXIST) : Outcome::systemError(errno);
}

Outcome EnsureFolder(const QString& folder)
{
    const QByteArray name = NativePath(folder);
    struct stat status = {};
    if (::stat(name.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? Outcome{} : Outcome::systemError(ENOTDIR);
    if (errno != ENOENT)
        return Outcome::systemError(errno);
    if (::mkdir(name.constData(), 0777) == 0 || errno == EEXIST)
        return {};
    return Outcome::systemError(errno);
}

namespace {

// The folder itself when it exists, else its parent.
QByteArray existingFolder(const QString& folder)
{
    QString path = folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
    struct stat info = {};
    if (::stat(NativePath(path).constData(), &info) != 0 && errno == ENOENT)
        path = QFileInfo(path).path();
    return NativePath(path);
}

} // namespace

bool FolderTakesFiles(const QString& folder)
{
    const QByteArray path = existingFolder(folder);
    struct stat info = {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           ::access(path.constData(), W_OK | X_OK) == 0;
}

qint64 FreeBytes(const QString& folder)
{
    struct statvfs info = {};
    if (folder.isEmpty() || ::statvfs(existingFolder(folder).constData(), &info) != 0)
        return -1;
    return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
}

QString FirstStepNotAFolder(const QString& root, const QString& path)
{
    const QStringList steps = path.mid(root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString walked = root;
    for (qsizetype n = 0; n + 1 < steps.size(); ++n) {
        walked += steps.at(n);
        struct stat info = {};
        if (::lstat(NativePath(walked).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            return walked;
        walked += QLatin1Char('/');
    }
    return {};
}

bool OpenRegularFile(QFile& file, const QString& path)
{
    // Opened without waiting first: opening a pipe for reading would block until a writer came.
    const int fd = ::open(NativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info = {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

namespace {

// "." + name + "." + 8 lower-case hex digits + ".part", as createTemporary names them.
bool isTemporaryName(const char* name)
{
    const size_t length = std::strlen(name);
    const size_t tail = 1 + 8 + 5; // ".xxxxxxxx.part"
    if (name[0] != '.' || length < 1 + 1 + tail || std::strcmp(name + length - 5, ".part") != 0 ||
        name[length - tail] != '.')
        return false;
    for (size_t at = length - tail + 1; at < length - 5; ++at) {
        const char c = name[at];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

void RemoveStaleTemporaries(const QString& folder)
{
    DIR* listing = ::opendir(NativePath(folder).constData());
    if (!listing)
        return;
    const int fd = ::dirfd(listing);
    const time_t staleBefore = std::time(nullptr) - 60;
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTemporaryName(entry->d_name))
            continue;
        struct stat info = {};
        if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtime < staleBefore)
            ::unlinkat(fd, entry->d_name, 0);
    }
    ::closedir(listing);
}

namespace {

// The file a temporary was to become: its name without the leading "." and the tail.
QByteArray finalName(const char* temporary)
{
    const size_t length = std::strlen(temporary);
    return QByteArray(temporary + 1, static_cast<qsizetype>(length - 1 - 14));
}

bool endsWith(int fd, off_t size, const QByteArray& tail)
{
    QByteArray read(tail.size(), '\0');
    return size >= tail.size() &&
           ::pread(fd, read.data(), static_cast<size_t>(read.size()), size - tail.size()) == read.size() &&
           read == tail;
}

bool beginsWith(int fd, const QByteArray& head)
{
    QByteArray read(head.size(), '\0');
    return ::pread(fd, read.data(), static_cast<size_t>(read.size()), 0) == read.size() && read == head;
}

// True when the picture file open as \a fd, named \a name, holds all it says it holds: a JPEG
// up to its end marker, a PNG up to its end chunk, a bitmap file as long as its header says.
// Null for a name that is no picture of ours.
std::optional<bool> wholePicture(int fd, off_t size, const QByteArray& name)
{
    const QByteArray lower = name.toLower();
    if (lower.endsWith(".jpg") || lower.endsWith(".jpeg"))
        return beginsWith(fd, QByteArray("\xff\xd8", 2)) && endsWith(fd, size, QByteArray("\xff\xd9", 2));
    if (lower.endsWith(".png"))
        return beginsWith(fd, QByteArray("\x89PNG\r\n\x1a\n", 8)) &&
               endsWith(fd, size, QByteArray("\0\0\0\0IEND\xae\x42\x60\x82", 12));
    if (lower.endsWith(".bmp")) {
        unsigned char header[6] = {};
        if (::pread(fd, header, sizeof header, 0) != sizeof header || header[0] != 'B' || header[1] != 'M')
            return false;
        const quint32 declared = header[2] | header[3] << 8 | header[4] << 16 | quint32(header[5]) << 24;
        return static_cast<off_t>(declared) == size;
    }
    return std::nullopt;
}

// The first of name, name_2, name_3 ... (before the extension) that is free in \a fd's folder,
// taken there by renaming \a temporary; empty when none could be.
QByteArray renameToFree(int folder, const char* temporary, const QByteArray& name)
{
    const qsizetype dot = name.lastIndexOf('.');
    for (int counter = 1; counter < 100; ++counter) {
        const QByteArray candidate =
            counter == 1 ? name : name.left(dot) + '_' + QByteArray::number(counter) + name.mid(dot);
        const int error = renameWithoutReplacingAt(folder, temporary, folder, candidate.constData());
        if (error == 0)
            return candidate;
        if (error != EEXIST)
            return {};
    }
    return {};
}

} // namespace

QStringList SettleTemporaries(const QString& folder, int olderThanSeconds, int* removed)
{
    QStringList recovered;
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    DIR* listing = ::opendir(NativePath(folder).constData());
    if (!listing)
        return recovered;
    const int fd = ::dirfd(listing);
    const time_t settledBefore = std::time(nullptr) - olderThanSeconds;
    QList<QByteArray> temporaries;
    while (const dirent* entry = ::readdir(listing)) {
        if (isTemporaryName(entry->d_name))
            temporaries.append(entry->d_name);
    }
    bool renamed = false;
    for (const QByteArray& temporary : std::as_const(temporaries)) {
        const int file = ::openat(fd, temporary.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat info = {};
        if (file < 0 || ::fstat(file, &info) != 0 || !S_ISREG(info.st_mode) ||
            (olderThanSeconds > 0 && info.st_mtime >= settledBefore)) {
            if (file >= 0)
                ::close(file);
            continue;
        }
        const QByteArray name = finalName(temporary.constData());
        const std::optional<bool> whole = wholePicture(file, info.st_size, name);
        ::close(file);
        // Only a finished picture was synced before its rename; it is filed under its name.
        const QByteArray filed =
            whole.value_or(false) ? renameToFree(fd, temporary.constData(), name) : QByteArray();
        if (!filed.isEmpty()) {
            recovered.append(base + PathFromNative(filed));
            renamed = true;
        } else if (::unlinkat(fd, temporary.constData(), 0) == 0 && removed) {
            ++*removed;
        }
    }
    if (renamed)
        ::fsync(fd);
    ::closedir(listing);
    return recovered;
}
