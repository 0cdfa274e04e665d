#include "RuntimeFolder.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A real folder (never a link), the user's, that no one else may enter.
bool isPrivate(const QByteArray& folder)
{
    struct stat info = {};
    return ::lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & 077) == 0;
}

// Makes \a folder private to the user, or finds it so: one of the user's own that is open to others
// is closed; one of another user's is never used.
bool ownPrivateFolder(const QString& folder)
{
    const QByteArray path = NativePath(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    return isPrivate(path) || (::chmod(path.constData(), 0700) == 0 && isPrivate(path));
}

} // namespace

QString RuntimeFolder()
{
    const QString given = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (given.startsWith(QLatin1Char('/')) && isPrivate(NativePath(given)))
        return QDir::cleanPath(given);
    const QString user = QString::number(::getuid());
    QString temporary = QDir::tempPath() + QStringLiteral("/vistrelle-") + user;
    if (ownPrivateFolder(temporary))
        return temporary;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    const QString own = cache + QStringLiteral("/vistrelle-runtime-") + user;
    return ownPrivateFolder(own) ? own : QString();
}
