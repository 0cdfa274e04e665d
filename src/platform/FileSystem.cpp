#include "FileSystem.h"

#include "FileNames.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

} // namespace

Outcome RenameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = NativePath(from);
    const QByteArray target = NativePath(to);
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
    QByteArray temporary;
    if (const int error = writeTemporary(NativePath(path), bytes, temporary))
        return Outcome::systemError(error);
    Outcome outcome = RenameWithoutReplacing(PathFromNative(temporary), path);
    if (!outcome.done())
        ::unlink(temporary.constData());
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
