#include "FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool sameFile(const QByteArray& first, const QByteArray& second)
{
    struct stat a = {};
    struct stat b = {};
    return ::lstat(first.constData(), &a) == 0 && ::lstat(second.constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

/// A hidden file beside \a path, created for writing; its name goes to \a temporary.
int createTemporary(const QString& path, QString& temporary)
{
    const QFileInfo info(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            info.path() + QStringLiteral("/.") + info.fileName() +
            QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const int fd = ::open(native(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

/// Writes all of \a bytes and makes them durable before the file gets its real name.
int writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += written;
    }
    return ::fdatasync(fd) == 0 ? 0 : errno;
}

/// A hidden temporary file beside \a path holding all of \a bytes on disk, closed; 0, or the
/// error number with nothing left behind.
int writeTemporary(const QString& path, const QByteArray& bytes, QString& temporary)
{
    const int fd = createTemporary(path, temporary);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(native(temporary).constData());
    return error;
}

} // namespace

Outcome RenameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = native(from);
    const QByteArray target = native(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno == EEXIST) {
        // Where the file system ignores case, the new spelling already names the same file.
        if (from.compare(to, Qt::CaseInsensitive) == 0 && sameFile(source, target))
            return ::rename(source.constData(), target.constData()) == 0 ? Outcome{}
                                                                         : Outcome::systemError(errno);
        return Outcome::refused(QStringLiteral("a file of that name is already there"), EEXIST);
    }
    if (errno != EINVAL && errno != ENOSYS)
        return Outcome::systemError(errno);
    // File systems without a no-replace rename: a hard link cannot replace either.
    if (::link(source.constData(), target.constData()) != 0)
        return errno == EEXIST
                   ? Outcome::refused(QStringLiteral("a file of that name is already there"), EEXIST)
                   : Outcome::systemError(errno);
    if (::unlink(source.constData()) == 0)
        return {};
    const int error = errno;
    ::unlink(target.constData());
    return Outcome::systemError(error);
}

Outcome WriteNewFile(const QString& path, const QByteArray& bytes)
{
    QString temporary;
    if (const int error = writeTemporary(path, bytes, temporary))
        return Outcome::systemError(error);
    Outcome outcome = RenameWithoutReplacing(temporary, path);
    if (!outcome.done())
        ::unlink(native(temporary).constData());
    return outcome;
}

Outcome WriteFileReplacing(const QString& path, const QByteArray& bytes)
{
    QString temporary;
    if (const int error = writeTemporary(path, bytes, temporary))
        return Outcome::systemError(error);
    if (::rename(native(temporary).constData(), native(path).constData()) == 0)
        return {};
    const int error = errno;
    ::unlink(native(temporary).constData());
    return Outcome::systemError(error);
}

Outcome RemoveEntry(const QString& path)
{
    const QByteArray name = native(path);
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
    const QByteArray path = native(folder);
    const bool removed = IsSymLink(folder) ? ::unlink(path.constData()) == 0 : ::rmdir(path.constData()) == 0;
    return removed ? Outcome{} : Outcome::systemError(errno);
}

void GiveFolderOwnerWrite(const QString& folder)
{
    struct stat info = {};
    const QByteArray path = native(folder);
    if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && !(info.st_mode & S_IWUSR))
        ::chmod(path.constData(), (info.st_mode & 07777) | S_IWUSR);
}

bool IsSymLink(const QString& path)
{
    struct stat info = {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

Outcome EnsureFolder(const QString& folder)
{
    const QByteArray name = native(folder);
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
    if (::stat(native(path).constData(), &info) != 0 && errno == ENOENT)
        path = QFileInfo(path).path();
    return native(path);
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
        if (::lstat(native(walked).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            return walked;
        walked += QLatin1Char('/');
    }
    return {};
}

bool OpenRegularFile(QFile& file, const QString& path)
{
    // Opened without waiting first: opening a pipe for reading would block until a writer came.
    const int fd = ::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
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
    DIR* listing = ::opendir(native(folder).constData());
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
