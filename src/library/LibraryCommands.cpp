#include "LibraryCommands.h"

#include "FileOperations.h"
#include "LibraryTree.h"
#include "core/AppState.h"
#include "platform/FileSystem.h"
#include "platform/Trash.h"

#include <QDir>
#include <algorithm>
#include <cerrno>

namespace {

const QString notCreated = QStringLiteral("Problem creating Category.  It probably already exists.");
const QString criticalError = QStringLiteral("Critical error.  Code E.");

} // namespace

Outcome CreateCategory(const QString& libraryRoot, const QString& name)
{
    return QDir().mkdir(libraryRoot + name) ? Outcome{} : Outcome::refused(notCreated);
}

Outcome CreateImageSet(const QString& categoryFolder, const QString& name)
{
    return QDir().mkdir(categoryFolder + name) ? Outcome{} : Outcome::refused(notCreated);
}

DeleteOutcome TrashLibraryFolder(AppState& state, const QString& folder)
{
    if (!FolderMayBeDeleted(folder, state.libraryRoot, QDir::homePath()))
        return {Outcome::refused(criticalError), true, {}, {}};
    if (const QString refusal = ReachedThroughLink(state.libraryRoot, folder); !refusal.isEmpty())
        return {Outcome::refused(refusal), false, {}, {}};
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
        return {Outcome::refused(criticalError), true, {}, {}};
    DeleteOutcome result{DeleteFolderTree(state, folder), false, {}, {}};
    if (!result.outcome.done())
        return result;
    const Outcome removed = RemoveDeletedFolder(folder);
    if (!removed.done())
        result.outcome.problems.append(removed.text);
    return result;
}

DeleteOutcome TrashFiles(const QString& libraryRoot, const QStringList& paths)
{
    DeleteOutcome result;
    for (const QString& path : paths) {
        if (const QString refusal = ReachedThroughLink(libraryRoot, path); !refusal.isEmpty()) {
            result.outcome.problems.append(refusal);
            continue;
        }
        const Outcome trashed = MoveToTrash(path);
        if (trashed.done() || trashed.error == ENOENT)
            continue;
        result.notTrashed.append(path);
        result.trashError = trashed.text;
    }
    return result;
}

DeleteOutcome DeleteFiles(const QString& libraryRoot, const QStringList& paths)
{
    DeleteOutcome result;
    for (const QString& path : paths) {
        if (const QString refusal = ReachedThroughLink(libraryRoot, path); !refusal.isEmpty()) {
            result.outcome.problems.append(refusal);
            continue;
        }
        const Outcome removed = RemoveFile(path);
        if (!removed.done() && !removed.text.isEmpty())
            result.outcome.problems.append(removed.text);
    }
    return result;
}

Outcome RenameFile(const QString& path, const QString& newName)
{
    // The file is renamed where it lies, also in a sub-folder of the Image Set.
    const QString oldName = FileNameOf(path);
    const QString folder = path.left(path.size() - oldName.size());
    const qsizetype dot = oldName.lastIndexOf(QLatin1Char('.'));
    const QString name = IsImageName(newName) || dot < 0 ? newName : newName + oldName.mid(dot);
    if (RenameWithoutReplacing(path, folder + name).done())
        return {};
    return Outcome::refused(QStringLiteral("Problem renaming file.  The file name probably already exists."));
}

std::optional<int> FindImageSet(const QString& libraryRoot, const QStringList& categories,
                                const QString& imageSet, const QString& preferredCategory)
{
    std::optional<int> found;
    for (int row = 0; row < categories.size(); ++row) {
        const QStringList entries =
            QDir(libraryRoot + categories.at(row)).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
        const bool holdsSet = std::any_of(entries.begin(), entries.end(), [&imageSet](const QString& entry) {
            return entry.compare(imageSet, Qt::CaseInsensitive) == 0;
        });
        if (!holdsSet)
            continue;
        found = row;
        if (categories.at(row) == preferredCategory)
            break;
    }
    return found;
}

void ListImageSet(AppState& state, const QString& folder)
{
    // Listing an Image Set settles what a killed capture left there: a complete picture is
    // filed, a half-written one removed.
    SettleTemporaries(folder, 60);
    state.imageSetFiles = CollectImages(state, folder);
}
