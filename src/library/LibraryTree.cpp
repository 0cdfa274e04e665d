#include "LibraryTree.h"

#include "core/AppState.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace {

// The pictures the file list shows, in the order CollectImages gathers them.
constexpr const char* listedExtensions[] = {"jpg", "gif", "bmp"};

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

bool HasListedImageExtension(const QString& name)
{
    return std::any_of(
        std::begin(listedExtensions), std::end(listedExtensions),
        [&name](const char* extension) { return HasImageExtension(name, QLatin1String(extension)); });
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
    QStringList subfolders;
    QDirIterator it = listing(folder);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = info.fileName();
        if (info.isDir()) {
            if (isWalkableFolder(info) && subfolders.size() < SubfolderLimit)
                subfolders.append(folder + name + QLatin1Char('/'));
            continue;
        }
        if (mode == FileMode::Every || HasImageExtension(name, extension))
            store(state.fileList, state.fileCount, state.settings.fileMax, folder + name);
    }
    for (const QString& subfolder : std::as_const(subfolders))
        EnumerateFiles(state, subfolder, extension, mode);
}

void CollectImages(AppState& state, const QString& folder)
{
    for (const char* extension : listedExtensions)
        EnumerateFiles(state, folder, QLatin1String(extension), FileMode::WithExtension);
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
