#include "FileOperations.h"

#include "LibraryTree.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cerrno>

namespace {

const QLatin1Char slash('/');

QString folderProblem()
{
    return QCoreApplication::translate(
        "FileOperations", "There was a problem removing a directory.  The directory or files contained in "
                          "it may be set to READ ONLY mode (i.e. they're on a CD ROM).");
}

// Removes one entry and notes a problem; true when something was removed.
bool removeNoting(const QString& path, QStringList& problems)
{
    const Outcome removed = RemoveFile(path);
    if (!removed.done() && !removed.text.isEmpty())
        problems.append(removed.text);
    return removed.done();
}

// One pass over the tree as one walk found it; the number of entries removed. A folder left
// standing is a problem only when the walk saw all there was.
int deletePass(const QString& folder, const FolderTree& tree, QStringList& problems)
{
    int removed = 0;
    for (const QString& each : QStringList{folder} + tree.folders) {
        GiveFolderOwnerWrite(each.chopped(1));
        // A half-written file of a killed capture would otherwise keep its folder.
        RemoveStaleTemporaries(each.chopped(1));
    }
    for (const QString& entry : tree.files + tree.others)
        removed += removeNoting(entry, problems) ? 1 : 0;
    for (qsizetype n = tree.folders.size() - 1; n >= 0; --n) {
        if (RemoveFolderOrLink(tree.folders.at(n).chopped(1)).done())
            ++removed;
        else if (tree.whole)
            problems.append(folderProblem());
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

Outcome ReachedThroughLink(const QString& libraryRoot, const QString& path)
{
    if (!path.startsWith(libraryRoot))
        return Outcome::refused(
            QCoreApplication::translate("FileOperations", "%1 is not in the library; nothing was deleted.")
                .arg(path));
    const QString step = FirstStepNotAFolder(libraryRoot, path);
    if (step.isEmpty() || !EntryExists(step))
        return {};
    return Outcome::refused(
        QCoreApplication::translate("FileOperations",
                                    "%1 is a link (or a file), not a folder of the library: what "
                                    "lies behind it is not the library's, and nothing was deleted.")
            .arg(step));
}

Outcome RemoveFile(const QString& path)
{
    Outcome removed = RemoveEntry(path);
    if (removed.done() || removed.error == ENOENT)
        return removed;
    return Outcome::failed(removed.error,
                           QCoreApplication::translate(
                               "FileOperations", "There was a problem removing file %1 - It may be set to "
                                                 "READ-ONLY mode (i.e. it is on a CD) or it may still be in "
                                                 "use.  Check the file properties.")
                               .arg(path));
}

Outcome DeleteFolderTree(const QString& libraryRoot, const QString& folder)
{
    if (!FolderMayBeDeleted(folder, libraryRoot, QDir::homePath()))
        return Outcome::refused(QCoreApplication::translate("FileOperations", "Critical error.  Code E."));
    if (Outcome reached = ReachedThroughLink(libraryRoot, folder); !reached.done())
        return reached;
    Outcome outcome;
    // A Category or Image Set that is itself a link is not entered: only the link goes.
    if (IsSymLink(folder.chopped(1)))
        return outcome;
    // A folder with more sub-folders than a walk follows goes in several passes, as long as
    // each one gets on.
    FolderTree tree;
    int removed = 1;
    do {
        tree = WalkFolder(folder);
        removed = deletePass(folder, tree, outcome.problems);
    } while (!tree.whole && removed > 0);
    return outcome;
}

Outcome RemoveDeletedFolder(const QString& folder)
{
    const Outcome removed = RemoveFolderOrLink(folder.chopped(1));
    // A folder that another program has already removed is what the user asked for.
    if (removed.done() || removed.error == ENOENT)
        return {};
    return Outcome::failed(removed.error, folderProblem());
}

Outcome MoveFilesInto(const QStringList& paths, const QString& targetFolder)
{
    // Judged by the folder the entry lies in: a link leading into the target still moves.
    const auto alreadyThere = [&targetFolder](const QString& path) {
        return SameEntry(path.left(path.size() - FileNameOf(path).size()), targetFolder);
    };
    if (!paths.isEmpty() && std::all_of(paths.begin(), paths.end(), alreadyThere))
        return Outcome::refused(QCoreApplication::translate(
            "FileOperations", "The selected files are already in that image set.  Choose "
                              "another image set to move them to."));
    Outcome outcome;
    for (const QString& path : paths) {
        if (alreadyThere(path))
            continue;
        const QString name = FileNameOf(path);
        const Outcome moved = RenameWithoutReplacing(path, targetFolder + name);
        if (!moved.done())
            outcome.problems.append(name + QStringLiteral(": ") + moved.text);
    }
    return outcome;
}
