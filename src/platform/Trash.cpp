#include "Trash.h"

#include "FileSystem.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

// Written here rather than taken from QFile::moveToTrash: Qt 6.4 moves the item into the working
// folder when the user's data folder does not exist yet, and refuses a link that leads nowhere.

namespace {

// The device of \a path, or of its nearest ancestor that exists.
std::optional<dev_t> deviceOfNearest(QString path)
{
    for (;;) {
        struct stat info = {};
        if (::stat(NativePath(path).constData(), &info) == 0)
            return info.st_dev;
        if (path == QLatin1String("/") || path.isEmpty())
            return std::nullopt;
        path = QFileInfo(path).path();
    }
}

// A trash folder of the user's own: made private when missing; what stands there already must be
// a real folder (never a link) owned by the user. 0, or the error number.
int ownFolder(const QString& folder)
{
    const QByteArray name = NativePath(folder);
    if (::mkdir(name.constData(), 0700) == 0)
        return 0;
    if (errno != EEXIST)
        return errno;
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    return info.st_uid == ::getuid() ? 0 : EACCES;
}

// Makes \a folder and the folders above it that are missing; 0, or the error number.
int makePath(const QString& folder)
{
    const QByteArray name = NativePath(folder);
    if (::mkdir(name.constData(), 0700) == 0)
        return 0;
    struct stat info = {};
    if (errno == EEXIST)
        return ::stat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    const QString parent = QFileInfo(folder).path();
    if (errno != ENOENT || parent == folder)
        return errno;
    if (const int error = makePath(parent))
        return error;
    return ::mkdir(name.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

// The top folder of the file system that holds \a folder.
QString mountTop(QString folder, dev_t device)
{
    while (folder != QLatin1String("/")) {
        const QString parent = QFileInfo(folder).path();
        struct stat info = {};
        if (::stat(NativePath(parent).constData(), &info) != 0 || info.st_dev != device)
            break;
        folder = parent;
    }
    return folder;
}

struct TrashFolder
{
    QString folder;
    QString top; // the file system's top folder; empty for the home trash, whose paths are absolute
};

// The trash that can take an item of \a device lying in \a itemFolder, made where missing; 0 or
// the error number. An item never goes to a trash on another file system: that would be a copy.
int trashFor(const QString& itemFolder, dev_t device, TrashFolder& trash)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!dataHome.isEmpty() && deviceOfNearest(dataHome) == device) {
        if (const int error = makePath(dataHome))
            return error;
        trash = {dataHome + QStringLiteral("/Trash"), QString()};
        return ownFolder(trash.folder);
    }
    const QString top = mountTop(itemFolder, device);
    const QString base = top == QLatin1String("/") ? QString() : top;
    const QString uid = QString::number(::getuid());
    // A shared trash counts only as a real folder with the sticky bit, so no other user can
    // remove or replace what is in it.
    const QString shared = base + QStringLiteral("/.Trash");
    struct stat info = {};
    if (::lstat(NativePath(shared).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
        (info.st_mode & S_ISVTX)) {
        trash = {shared + QLatin1Char('/') + uid, top};
        if (ownFolder(trash.folder) == 0)
            return 0;
    }
    trash = {base + QStringLiteral("/.Trash-") + uid, top};
    return ownFolder(trash.folder);
}

// The name in the trash: the item's own, shortened so that ".trashinfo" and a number still fit
// into a file name.
QString trashName(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    while (NativePath(name).size() > 200)
        name.chop(1);
    return name;
}

// Reserves a name in \a trash by creating its information file; the open descriptor goes to \a fd.
QString reserveName(const QString& trash, const QString& base, int& fd)
{
    for (int n = 1; n < 100000; ++n) {
        QString name = n == 1 ? base : base + QLatin1Char('.') + QString::number(n);
        const QString info = trash + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo");
        fd = ::open(NativePath(info).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return QString();
        }
        struct stat taken = {};
        if (::lstat(NativePath(trash + QStringLiteral("/files/") + name).constData(), &taken) != 0)
            return name;
        ::close(fd);
        ::unlink(NativePath(info).constData());
    }
    fd = -1;
    errno = EEXIST;
    return QString();
}

} // namespace

Outcome MoveToTrash(const QString& path)
{
    struct stat item = {};
    if (::lstat(NativePath(path).constData(), &item) != 0)
        return errno == ENOENT ? Outcome::refused(QString(), ENOENT) : Outcome::systemError(errno);
    TrashFolder trash;
    if (const int refused = trashFor(QFileInfo(path).path(), item.st_dev, trash))
        return Outcome::systemError(refused);
    for (const char* part : {"/files", "/info"}) {
        if (const int refused = ownFolder(trash.folder + QLatin1String(part)))
            return Outcome::systemError(refused);
    }

    int fd = -1;
    const QString name = reserveName(trash.folder, trashName(path), fd);
    if (name.isEmpty())
        return Outcome::systemError(errno);
    const QString info = trash.folder + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo");
    const QString where = trash.top.isEmpty() ? path : QDir(trash.top).relativeFilePath(path);
    const QByteArray text =
        "[Trash Info]\nPath=" + QUrl::toPercentEncoding(where, "/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toUtf8() + "\n";
    int error = WriteAll(fd, text);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(NativePath(info).constData());
        return Outcome::systemError(error);
    }
    Outcome moved = RenameWithoutReplacing(path, trash.folder + QStringLiteral("/files/") + name);
    if (!moved.done())
        ::unlink(NativePath(info).constData());
    return moved;
}
