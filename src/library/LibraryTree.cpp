#include "LibraryTree.h"

#include "core/AppState.h"
#include "platform/FolderListing.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace {

// Lists one folder: files and folders, hidden ones and special files (pipes, devices) left out.
QDirIterator listing(const QString& folder)
{
    return QDirIterator(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
}

// A sub-folder the walks may enter: a real folder, never a link, so no loop can trap them.
bool isWalkableFolder(const QFileInfo& info)
{
    return info.isDir() && !info.isSymLink();
}

// Every file below \a folder: a folder's own files first, then its sub-folders' in listing
// order. Hidden entries are left out; links to folders are never entered.
void collectFiles(const QString& folder, QStringList& files)
{
    QStringList subfolders;
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (entry.name.startsWith(QLatin1Char('.')))
            continue;
        if (entry.kind == FolderEntry::Kind::File)
            files.append(folder + entry.name);
        else if (entry.kind == FolderEntry::Kind::Folder && subfolders.size() < SubfolderLimit)
            subfolders.append(folder + entry.name + QLatin1Char('/'));
    }
    for (const QString& subfolder : std::as_const(subfolders))
        collectFiles(subfolder, files);
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    collectFiles(folder, files);
    return files;
}

void store(QStringList& table, int& count, int capacity, const QString& entry)
{
    if (count <= capacity)
        table.append(entry);
    ++count;
}

} // namespace

bool HasImageExtension(const QString& name, const QString& extension)
{
    const qsizetype tail = extension.size() + 1;
    if (name.size() < tail)
        return false;
    return name.at(name.size() - tail) == QLatin1Char('.') && name.endsWith(extension, Qt::CaseInsensitive);
}

bool IsImageName(const QString& name)
{
    for (const char* extension : ImageExtensions)
        if (HasImageExtension(name, QLatin1String(extension)))
            return true;
    return false;
}

void ResetFileWalk(AppState& state)
{
    state.fileList.clear();
    state.fileCount = 1;
}

void ResetFolderWalk(AppState& state)
{
    state.dirList.clear();
    state.dirCount = 1;
}

void EnumerateFiles(AppState& state, const QString& folder, const QString& extension, FileMode mode)
{
    for (const QString& path : filesBelow(folder)) {
        if (mode == FileMode::Every || HasImageExtension(path, extension))
            store(state.fileList, state.fileCount, state.settings.fileMax, path);
    }
}

QStringList CollectImages(AppState& state, const QString& folder)
{
    // One walk; the images then go in kind by kind, as the table always listed them.
    QStringList files = filesBelow(folder);
    for (const char* extension : ImageExtensions) {
        for (const QString& path : files) {
            if (HasImageExtension(path, QLatin1String(extension)))
                store(state.fileList, state.fileCount, state.settings.fileMax, path);
        }
    }
    return files;
}

void EnumerateFolders(AppState& state, const QString& folder, bool topOnly)
{
    QStringList subfolders;
    QDirIterator it = listing(folder);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (!isWalkableFolder(info))
            continue;
        if (subfolders.size() < SubfolderLimit)
            subfolders.append(folder + info.fileName() + QLatin1Char('/'));
        store(state.dirList, state.dirCount, state.settings.dirMax, folder + info.fileName());
    }
    if (topOnly)
        return;
    for (const QString& subfolder : std::as_const(subfolders))
        EnumerateFolders(state, subfolder, false);
}

QStringList ListSubfolders(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}

QString FileNameOf(const QString& path)
{
    if (path.size() < 2)
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), path.size() - 2);
    return path.mid(slash + 1);
}
