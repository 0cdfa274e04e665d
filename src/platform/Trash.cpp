#include "Trash.h"

#include "FileNames.h"
#include "FileSystem.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QList>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

// Written here rather than taken from QFile::moveToTrash: Qt 6.4 moves the item into the working
// folder when the user's data folder does not exist yet, refuses a link that leads nowhere, and
// finds the top of a file system by walking up the path, which takes a link to another disk for
// that disk's top. Paths stay bytes here, so no name is changed on the way.

namespace {

// The folder part of \a path (no final "/"), "/" for an item at the top.
QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

std::optional<QByteArray> realPath(const QByteArray& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(path.constData(), resolved))
        return std::nullopt;
    return QByteArray(resolved);
}

// A mount point as the mount table writes it: space, tab, newline and backslash as octal escapes.
QByteArray unescaped(const QByteArray& field)
{
    QByteArray text;
    for (qsizetype at = 0; at < field.size(); ++at) {
        if (field.at(at) == '\\' && at + 3 < field.size()) {
            text += static_cast<char>(field.mid(at + 1, 3).toInt(nullptr, 8));
            at += 3;
        } else {
            text += field.at(at);
        }
    }
    return text;
}

struct Mount
{
    QByteArray id;
    QByteArray parent; // the mount it was mounted on
    QByteArray point;
};

QByteArray readMountTable()
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    // Read whole: the file is generated as it is read and has no size.
    return table.readAll();
}

QList<Mount> mountTable()
{
    QList<Mount> mounts;
    for (const QByteArray& line : ReadMountTable().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4)
            mounts.append({fields.at(0), fields.at(1), unescaped(fields.at(4))});
    }
    return mounts;
}

bool holds(const QByteArray& point, const QByteArray& path)
{
    return point == "/" || path == point || path.startsWith(point + '/');
}

// True when \a over is among the mounts \a mount stands on, directly or further down.
bool standsOn(const Mount& mount, const QByteArray& over, const QHash<QByteArray, QByteArray>& parents)
{
    QByteArray at = mount.parent;
    for (qsizetype step = 0; step <= parents.size() && !at.isEmpty(); ++step, at = parents.value(at)) {
        if (at == over)
            return true;
    }
    return false;
}

// Where a real folder lies for the trash: the top folder of its file system and the mount that
// shows it there.
struct Place
{
    QByteArray top;
    QByteArray mount; // the mount's number in the table; empty when no mount point shows the device
    dev_t device = 0;
};

// The place of the real folder \a folder on \a device: its mount is the one with the longest
// mount point above it on that device, among those a path still reaches. A mount made on a
// folder, or above it, covers every mount there that it does not stand on: the one it was
// mounted over, and those made below it before. A device no mount point shows (a btrfs
// subvolume inside a mount) has its top where the path leaves the device.
Place placeOf(const QByteArray& folder, dev_t device)
{
    QList<Mount> onTheWay;
    QHash<QByteArray, QByteArray> parents;
    for (const Mount& mount : mountTable()) {
        parents.insert(mount.id, mount.parent);
        if (holds(mount.point, folder))
            onTheWay.append(mount);
    }
    Place place{QByteArray(), QByteArray(), device};
    for (const Mount& mount : onTheWay) {
        const bool covered = std::any_of(onTheWay.begin(), onTheWay.end(), [&](const Mount& other) {
            return other.id != mount.id && holds(other.point, mount.point) &&
                   !standsOn(mount, other.id, parents);
        });
        if (covered || mount.point.size() < place.top.size())
            continue;
        struct stat info = {};
        if (::stat(mount.point.constData(), &info) == 0 && info.st_dev == device)
            place = {mount.point, mount.id, device};
    }
    if (!place.mount.isEmpty())
        return place;
    place.top = folder;
    for (QByteArray parent = folderOf(folder); place.top != "/"; parent = folderOf(parent)) {
        struct stat info = {};
        if (::stat(parent.constData(), &info) != 0 || info.st_dev != device)
            break;
        place.top = parent;
    }
    return place;
}

// The place of a real folder of the item's, found by its own path.
std::optional<Place> placeOfFolder(const QByteArray& folder)
{
    struct stat info = {};
    const std::optional<QByteArray> real = realPath(folder);
    if (!real || ::stat(real->constData(), &info) != 0)
        return std::nullopt;
    return placeOf(*real, info.st_dev);
}

// A trash folder of the user's own: made private when missing; what stands there already must be
// a real folder (never a link) owned by the user that no other user may write to. 0, or the error
// number.
int ownFolder(const QByteArray& folder)
{
    if (::mkdir(folder.constData(), 0700) == 0)
        return 0;
    if (errno != EEXIST)
        return errno;
    struct stat info = {};
    if (::lstat(folder.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    return info.st_uid == ::getuid() && !(info.st_mode & S_IWOTH) ? 0 : EACCES;
}

// Makes \a folder and the folders above it that are missing; 0, or the error number.
int makePath(const QByteArray& folder)
{
    if (::mkdir(folder.constData(), 0700) == 0)
        return 0;
    struct stat info = {};
    if (errno == EEXIST)
        return ::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    const QByteArray parent = folderOf(folder);
    if (errno != ENOENT || parent == folder)
        return errno;
    if (const int error = makePath(parent))
        return error;
    return ::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

struct TrashFolder
{
    QByteArray folder;
    QByteArray top; // the file system's top folder; empty for the home trash, whose paths are absolute
};

// The place of the user's data folder, or of what of it exists so far.
std::optional<Place> homeTrashPlace(const QByteArray& dataHome)
{
    for (QByteArray path = dataHome;; path = folderOf(path)) {
        if (std::optional<Place> place = placeOfFolder(path))
            return place;
        if (path == "/")
            return std::nullopt;
    }
}

// The trash that can take an item lying at \a place, made where missing; 0 or the error number.
// An item never goes to a trash on another mount or device: that would be a copy.
int trashFor(const Place& place, TrashFolder& trash)
{
    const QByteArray dataHome =
        NativePath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    const std::optional<Place> home = dataHome.isEmpty() ? std::nullopt : homeTrashPlace(dataHome);
    if (home && home->mount == place.mount && home->device == place.device && home->top == place.top) {
        if (const int error = makePath(dataHome))
            return error;
        trash = {dataHome + "/Trash", QByteArray()};
        return ownFolder(trash.folder);
    }
    const QByteArray& top = place.top;
    const QByteArray base = top == "/" ? QByteArray() : top;
    const QByteArray uid = QByteArray::number(::getuid());
    // A shared trash counts only as a real folder with the sticky bit, so no other user can
    // remove or replace what is in it.
    const QByteArray shared = base + "/.Trash";
    struct stat info = {};
    if (::lstat(shared.constData(), &info) == 0 && S_ISDIR(info.st_mode) && (info.st_mode & S_ISVTX)) {
        trash = {shared + '/' + uid, top};
        if (ownFolder(trash.folder) == 0)
            return 0;
    }
    trash = {base + "/.Trash-" + uid, top};
    return ownFolder(trash.folder);
}

// The name in the trash: the item's own, shortened so that ".trashinfo" and a number still fit
// into a file name, never in the middle of a character.
QByteArray trashName(const QByteArray& name)
{
    qsizetype length = name.size();
    if (length > 200) {
        length = 200;
        while (length > 0 && (static_cast<unsigned char>(name.at(length)) & 0xC0) == 0x80)
            --length;
    }
    return name.left(length);
}

// Reserves a name in \a trash by creating its information file; the open descriptor goes to \a fd.
QByteArray reserveName(const QByteArray& trash, const QByteArray& base, int& fd)
{
    for (int n = 1; n < 100000; ++n) {
        QByteArray name = n == 1 ? base : base + '.' + QByteArray::number(n);
        const QByteArray info = trash + "/info/" + name + ".trashinfo";
        fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return QByteArray();
        }
        struct stat taken = {};
        if (::lstat((trash + "/files/" + name).constData(), &taken) != 0)
            return name;
        ::close(fd);
        ::unlink(info.constData());
    }
    fd = -1;
    errno = EEXIST;
    return QByteArray();
}

} // namespace

QByteArray (*ReadMountTable)() = readMountTable;

Outcome MoveToTrash(const QString& path)
{
    const QByteArray given = NativePath(path);
    struct stat item = {};
    if (::lstat(given.constData(), &item) != 0)
        return errno == ENOENT ? Outcome::refused(QString(), ENOENT) : Outcome::systemError(errno);
    // Where the item really lies: the folders on the way may be links to another disk. The item
    // itself stays as it is, a link included. Its folder's device is the one a rename must stay
    // on (a file of an overlay may show the device of the layer below).
    const QByteArray name = given.mid(given.lastIndexOf('/') + 1);
    const std::optional<QByteArray> folder = realPath(folderOf(given));
    const std::optional<Place> place = folder ? placeOfFolder(*folder) : std::nullopt;
    if (!place)
        return Outcome::systemError(errno);
    const QByteArray real = joined(*folder, name);
    TrashFolder trash;
    if (const int refused = trashFor(*place, trash))
        return Outcome::systemError(refused);
    for (const char* part : {"/files", "/info"}) {
        if (const int refused = ownFolder(trash.folder + part))
            return Outcome::systemError(refused);
    }

    int fd = -1;
    const QByteArray trashed = reserveName(trash.folder, trashName(name), fd);
    if (trashed.isEmpty())
        return Outcome::systemError(errno);
    const QByteArray info = trash.folder + "/info/" + trashed + ".trashinfo";
    const QByteArray where =
        trash.top.isEmpty() ? real : real.mid(trash.top == "/" ? 1 : trash.top.size() + 1);
    const QByteArray text =
        "[Trash Info]\nPath=" + where.toPercentEncoding("/") + "\nDeletionDate=" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toUtf8() + "\n";
    int error = WriteAll(fd, text);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(info.constData());
        return Outcome::systemError(error);
    }
    Outcome moved = RenameWithoutReplacing(path, PathFromNative(trash.folder + "/files/" + trashed));
    if (!moved.done())
        ::unlink(info.constData());
    return moved;
}
