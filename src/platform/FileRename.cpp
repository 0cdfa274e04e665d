#include "FileRename.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool RenameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the atomic no-replace rename: a hard link fails on an existing name
    // just as safely, and the old name is dropped only once the new one exists.
    if (link(source.constData(), target.constData()) == 0) {
        if (unlink(source.constData()) == 0)
            return true;
        unlink(target.constData());
        return false;
    }
    if (errno != EPERM && errno != EOPNOTSUPP)
        return false;
    // File systems without hard links either (FAT): look first, then rename.
    struct stat existing;
    if (lstat(target.constData(), &existing) == 0 || errno != ENOENT)
        return false;
    return std::rename(source.constData(), target.constData()) == 0;
}
