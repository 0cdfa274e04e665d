#include "LibraryCommands.h"

#include "FileOperations.h"
#include "LibraryTree.h"
#include "core/AppState.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <algorithm>

namespace {

const QString notCreated = QStringLiteral("Problem creating Category.  It probably already exists.");

} // namespace

Outcome CreateCategory(const QString& libraryRoot, const QString& name)
{
    return QDir().mkdir(libraryRoot + name) ? Outcome{} : Outcome::refused(notCreated);
}

Outcome CreateImageSet(const QString& categoryFolder, const QString& name)
{
    return QDir().mkdir(categoryFolder + name) ? Outcome{} : Outcome::refused(notCreated);
}

Outcome DeleteLibraryFolder(AppState& state, const QString& folder)
{
    Outcome outcome = DeleteFolderTree(state, folder);
    if (!outcome.done())
        return outcome;
    const Outcome removed = RemoveDeletedFolder(folder);
    if (!removed.done())
        outcome.problems.append(removed.text);
    return outcome;
}

Outcome DeleteFiles(const QStringList& paths)
{
    Outcome outcome;
    for (const QString& path : paths) {
        const Outcome removed = RemoveFile(path);
        if (!removed.done() && !removed.text.isEmpty())
            outcome.problems.append(removed.text);
    }
    return outcome;
}

Outcome RenameFile(const QString& path, const QString& newName)
{
    // The file is renamed where it lies, also in a sub-folder of the Image Set.
    const QString folder = path.left(path.size() - FileNameOf(path).size());
    if (RenameWithoutReplacing(path, folder + newName).done())
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
