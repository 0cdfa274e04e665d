#include "FileOperations.h"

#include "LibraryTree.h"
#include "core/AppState.h"
#include "platform/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLatin1Char slash('/');

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool isLink(const QString& path)
{
    struct stat info = {};
    return ::lstat(native(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

// A read-only folder keeps its entries; its owner gets write permission back, as files do.
void makeWritable(const QString& folder)
{
    struct stat info = {};
    const QByteArray path = native(folder);
    if (::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && !(info.st_mode & S_IWUSR))
        ::chmod(path.constData(), (info.st_mode & 07777) | S_IWUSR);
}

void reportFolder(MessageBoxes& boxes)
{
    boxes.show(
        QStringLiteral("There was a problem removing a directory.  The directory or files contained in "
                       "it may be set to READ ONLY mode (i.e. they're on a CD ROM)."),
        BoxLook::Exclamation);
}

bool sameFile(const QByteArray& first, const QByteArray& second)
{
    struct stat a = {};
    struct stat b = {};
    return ::lstat(first.constData(), &a) == 0 && ::lstat(second.constData(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Links the walks pass over: links to folders and links that lead nowhere. Hidden entries stay,
// as hidden files do.
QStringList linksIn(const QString& folder)
{
    QStringList links;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            links.append(entry.filePath());
    }
    return links;
}

// One pass over the tree within the capacity of the tables; the number of entries removed.
int deletePass(AppState& state, MessageBoxes& boxes, const QString& folder, bool complete)
{
    int removed = 0;
    const QStringList folders = QStringList{folder.chopped(1)} + state.dirList;
    for (const QString& each : folders)
        makeWritable(each);
    for (const QString& file : std::as_const(state.fileList))
        removed += RemoveFile(boxes, file) ? 1 : 0;
    for (const QString& each : folders) {
        for (const QString& link : linksIn(each))
            removed += RemoveFile(boxes, link) ? 1 : 0;
    }
    for (qsizetype n = state.dirList.size() - 1; n >= 0; --n) {
        if (QDir().rmdir(state.dirList.at(n)))
            ++removed;
        else if (complete)
            reportFolder(boxes);
    }
    return removed;
}

} // namespace

bool FolderMayBeDeleted(const QString& folder, const QString& libraryRoot, const QString& home)
{
    if (folder.size() < 2 || !folder.startsWith(slash) || !folder.endsWith(slash))
        return false;
    const QString inner = folder.chopped(1);
    if (QDir::cleanPath(inner) != inner || libraryRoot.size() < 2 || !libraryRoot.endsWith(slash))
        return false;
    if (!folder.startsWith(libraryRoot) || folder.size() <= libraryRoot.size())
        return false;
    const QString homeFolder = QDir::cleanPath(home) + slash;
    return !homeFolder.startsWith(folder);
}

bool RemoveFile(MessageBoxes& boxes, const QString& path)
{
    const QByteArray name = native(path);
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0 && errno == ENOENT)
        return false;
    if (S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR))
        ::chmod(name.constData(), (info.st_mode & 07777) | S_IWUSR);
    if (::unlink(name.constData()) == 0)
        return true;
    if (errno != ENOENT)
        boxes.show(
            QStringLiteral("There was a problem removing file ") + path +
                QStringLiteral(" - It may be set to READ-ONLY mode (i.e. it is on a CD) or it may still be "
                               "in use.  Check the file properties."),
            BoxLook::Exclamation);
    return false;
}

bool DeleteFolderTree(AppState& state, MessageBoxes& boxes, const QString& folder)
{
    if (!FolderMayBeDeleted(folder, state.libraryRoot, QDir::homePath())) {
        boxes.show(QStringLiteral("Critical error.  Code E."), BoxLook::Critical);
        return false;
    }
    // A Category or Image Set that is itself a link is not entered: only the link goes.
    if (isLink(folder.chopped(1)))
        return true;
    // Trees larger than the tables are deleted in several passes, as long as each one gets on.
    bool complete = false;
    int removed = 1;
    while (!complete && removed > 0) {
        ResetFolderWalk(state);
        EnumerateFolders(state, folder, false);
        ResetFileWalk(state);
        EnumerateFiles(state, folder, QString(), FileMode::Every);
        complete = state.dirCount - 1 <= state.dirMax && state.fileCount - 1 <= state.fileMax;
        removed = deletePass(state, boxes, folder, complete);
    }
    return true;
}

void RemoveDeletedFolder(MessageBoxes& boxes, const QString& folder)
{
    const QByteArray path = native(folder.chopped(1));
    const bool removed =
        isLink(folder.chopped(1)) ? ::unlink(path.constData()) == 0 : ::rmdir(path.constData()) == 0;
    // A folder that another program has already removed is what the user asked for.
    if (!removed && errno != ENOENT)
        reportFolder(boxes);
}

RenameResult RenameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = native(from);
    const QByteArray target = native(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return RenameResult::Renamed;
    if (errno == EEXIST) {
        // Where the file system ignores case, the new spelling already names the same file.
        if (from.compare(to, Qt::CaseInsensitive) == 0 && sameFile(source, target))
            return ::rename(source.constData(), target.constData()) == 0 ? RenameResult::Renamed
                                                                         : RenameResult::Failed;
        return RenameResult::TargetExists;
    }
    if (errno != EINVAL && errno != ENOSYS)
        return RenameResult::Failed;
    // File systems without a no-replace rename: a hard link cannot replace either.
    if (::link(source.constData(), target.constData()) != 0)
        return errno == EEXIST ? RenameResult::TargetExists : RenameResult::Failed;
    if (::unlink(source.constData()) == 0)
        return RenameResult::Renamed;
    ::unlink(target.constData());
    return RenameResult::Failed;
}

QStringList MoveFilesInto(const QStringList& paths, const QString& targetFolder)
{
    const QString target = QFileInfo(targetFolder).canonicalFilePath();
    QStringList notMoved;
    for (const QString& path : paths) {
        const QString name = FileNameOf(path);
        // Judged by the folder the entry lies in: a link leading into the target still moves.
        if (!target.isEmpty() && QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath() == target)
            continue;
        const RenameResult result = RenameWithoutReplacing(path, targetFolder + name);
        const int error = errno;
        switch (result) {
        case RenameResult::Renamed:
            break;
        case RenameResult::TargetExists:
            notMoved.append(name + QStringLiteral(": a file of that name is already there"));
            break;
        case RenameResult::Failed:
            notMoved.append(name + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)));
            break;
        }
    }
    return notMoved;
}
