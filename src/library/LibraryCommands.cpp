#include "LibraryCommands.h"

#include "FileOperations.h"
#include "LibraryTree.h"
#include "core/AppState.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/Trash.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cerrno>
#include <functional>

namespace {

QString notCreated()
{
    return QCoreApplication::translate("LibraryCommands",
                                       "Problem creating Category.  It probably already exists.");
}

QString criticalError()
{
    return QCoreApplication::translate("LibraryCommands", "Critical error.  Code E.");
}

// Runs \a act on each of \a paths that lies in the library; one reached through a link is left
// alone and named in the problems.
DeleteOutcome forEachFileInLibrary(const QString& libraryRoot, const QStringList& paths,
                                   const std::function<void(const QString&, DeleteOutcome&)>& act)
{
    DeleteOutcome result;
    for (const QString& path : paths) {
        if (const Outcome reached = ReachedThroughLink(libraryRoot, path); !reached.done())
            result.outcome.problems.append(reached.text);
        else
            act(path, result);
    }
    return result;
}

} // namespace

Outcome CreateCategory(const QString& libraryRoot, const QString& name)
{
    return MakeFolder(libraryRoot + name).done() ? Outcome{} : Outcome::refused(notCreated());
}

Outcome CreateImageSet(const QString& categoryFolder, const QString& name)
{
    return MakeFolder(categoryFolder + name).done() ? Outcome{} : Outcome::refused(notCreated());
}

DeleteOutcome TrashLibraryFolder(AppState& state, const QString& folder)
{
    if (!FolderMayBeDeleted(folder, state.libraryRoot, QDir::homePath()))
        return {Outcome::refused(criticalError()), true, {}, {}};
    if (Outcome reached = ReachedThroughLink(state.libraryRoot, folder); !reached.done())
        return {std::move(reached), false, {}, {}};
    const QString item = folder.chopped(1);
    // What a killed capture left half-written is no picture to keep in the trash.
    if (!IsSymLink(item)) {
        RemoveStaleTemporaries(folder);
        for (const QString& imageSet : ListSubfolders(folder))
            RemoveStaleTemporaries(folder + imageSet);
    }
    const Outcome trashed = MoveToTrash(item);
    // A folder that another program has already removed is what the user asked for.
    if (trashed.done() || trashed.error == ENOENT)
        return {};
    return {Outcome{}, false, {item}, trashed.text};
}

DeleteOutcome DeleteLibraryFolder(AppState& state, const QString& folder)
{
    if (!FolderMayBeDeleted(folder, state.libraryRoot, QDir::homePath()))
        return {Outcome::refused(criticalError()), true, {}, {}};
    DeleteOutcome result{DeleteFolderTree(state.libraryRoot, folder), false, {}, {}};
    if (!result.outcome.done())
        return result;
    const Outcome removed = RemoveDeletedFolder(folder);
    if (!removed.done())
        result.outcome.problems.append(removed.text);
    return result;
}

DeleteOutcome TrashFiles(const QString& libraryRoot, const QStringList& paths)
{
    return forEachFileInLibrary(libraryRoot, paths, [](const QString& path, DeleteOutcome& result) {
        const Outcome trashed = MoveToTrash(path);
        if (trashed.done() || trashed.error == ENOENT)
            return;
        result.notTrashed.append(path);
        result.trashError = trashed.text;
    });
}

DeleteOutcome DeleteFiles(const QString& libraryRoot, const QStringList& paths)
{
    return forEachFileInLibrary(libraryRoot, paths, [](const QString& path, DeleteOutcome& result) {
        const Outcome removed = RemoveFile(path);
        if (!removed.done() && !removed.text.isEmpty())
            result.outcome.problems.append(removed.text);
    });
}

Outcome RenameFile(const QString& path, const QString& newName)
{
    // The file is renamed where it lies, also in a sub-folder of the Image Set.
    const QString oldName = FileNameOf(path);
    const QString folder = path.left(path.size() - oldName.size());
    const qsizetype dot = oldName.lastIndexOf(QLatin1Char('.'));
    const QString name = IsImageName(newName) || dot < 0 ? newName : newName + oldName.mid(dot);
    // A name beginning with "." would hide the file from every list, and one with a "/" would
    // move it elsewhere.
    if (!name.startsWith(QLatin1Char('.')) && !name.contains(QLatin1Char('/')) &&
        RenameWithoutReplacing(path, folder + name).done())
        return {};
    return Outcome::refused(QCoreApplication::translate(
        "LibraryCommands", "Problem renaming file.  The file name probably already exists."));
}

std::optional<int> FindImageSet(const QString& libraryRoot, const QStringList& categories,
                                const QString& imageSet, const QString& preferredCategory)
{
    std::optional<int> found;
    for (int row = 0; row < categories.size(); ++row) {
        const QList<FolderEntry> entries = ListFolder(libraryRoot + categories.at(row));
        const bool holdsSet =
            std::any_of(entries.begin(), entries.end(), [&imageSet](const FolderEntry& entry) {
                return !entry.name.startsWith(QLatin1Char('.')) && entry.kind != FolderEntry::Kind::Other &&
                       entry.name.compare(imageSet, Qt::CaseInsensitive) == 0;
            });
        if (!holdsSet)
            continue;
        found = row;
        if (categories.at(row) == preferredCategory)
            break;
    }
    return found;
}

QStringList ListImageSet(const QString& folder, QStringList* subfolders)
{
    FolderTree tree = WalkFolder(folder);
    // Listing an Image Set settles what a killed capture left there, hidden: a complete picture
    // is filed, a half-written one removed. A folder without hidden entries need not be read
    // again for it.
    const bool hiddenHere =
        std::any_of(tree.hidden.cbegin(), tree.hidden.cend(), [&folder](const QString& path) {
            return path.indexOf(QLatin1Char('/'), folder.size()) < 0;
        });
    if (hiddenHere && !SettleTemporaries(folder, 60).isEmpty())
        tree = WalkFolder(folder);
    if (subfolders)
        *subfolders = tree.folders;
    return ImageSetPictures(tree);
}
