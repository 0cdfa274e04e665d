#include "FileOperations.h"

#include "LibraryTree.h"
#include "core/AppState.h"
#include "platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace {

const QLatin1Char slash('/');

QString folderProblem()
{
    return QStringLiteral("There was a problem removing a directory.  The directory or files contained in "
                          "it may be set to READ ONLY mode (i.e. they're on a CD ROM).");
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

// Removes one entry and notes a problem; true when something was removed.
bool removeNoting(const QString& path, QStringList& problems)
{
    const Outcome removed = RemoveFile(path);
    if (!removed.done() && !removed.text.isEmpty())
        problems.append(removed.text);
    return removed.done();
}

// One pass over the tree within the capacity of the tables; the number of entries removed.
int deletePass(AppState& state, const QString& folder, bool complete, QStringList& problems)
{
    int removed = 0;
    const QStringList folders = QStringList{folder.chopped(1)} + state.dirList;
    for (const QString& each : folders) {
        GiveFolderOwnerWrite(each);
        // A half-written file of a killed capture would otherwise keep its folder.
        RemoveStaleTemporaries(each);
    }
    for (const QString& file : std::as_const(state.fileList))
        removed += removeNoting(file, problems) ? 1 : 0;
    for (const QString& each : folders) {
        for (const QString& link : linksIn(each))
            removed += removeNoting(link, problems) ? 1 : 0;
    }
    for (qsizetype n = state.dirList.size() - 1; n >= 0; --n) {
        if (QDir().rmdir(state.dirList.at(n)))
            ++removed;
        else if (complete)
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

QString ReachedThroughLink(const QString& libraryRoot, const QString& path)
{
    if (!path.startsWith(libraryRoot))
        return path + QStringLiteral(" is not in the library; nothing was deleted.");
    const QString step = FirstStepNotAFolder(libraryRoot, path);
    const QFileInfo info(step);
    if (step.isEmpty() || (!info.isSymLink() && !info.exists()))
        return {};
    return step +
           QStringLiteral(" is a link (or a file), not a folder of the library: what lies behind it is "
                          "not the library's, and nothing was deleted.");
}

Outcome RemoveFile(const QString& path)
{
    Outcome removed = RemoveEntry(path);
    if (removed.done() || removed.error == ENOENT)
        return removed;
    return Outcome::failed(removed.error,
                           QStringLiteral("There was a problem removing file ") + path +
                               QStringLiteral(" - It may be set to READ-ONLY mode (i.e. it is on a CD) or it "
                                              "may still be in use.  Check the file properties."));
}

Outcome DeleteFolderTree(AppState& state, const QString& folder)
{
    if (!FolderMayBeDeleted(folder, state.libraryRoot, QDir::homePath()))
        return Outcome::refused(QStringLiteral("Critical error.  Code E."));
    if (const QString refusal = ReachedThroughLink(state.libraryRoot, folder); !refusal.isEmpty())
        return Outcome::refused(refusal);
    Outcome outcome;
    // A Category or Image Set that is itself a link is not entered: only the link goes.
    if (IsSymLink(folder.chopped(1)))
        return outcome;
    // Trees larger than the tables are deleted in several passes, as long as each one gets on.
    bool complete = false;
    int removed = 1;
    while (!complete && removed > 0) {
        ResetFolderWalk(state);
        EnumerateFolders(state, folder, false);
        ResetFileWalk(state);
        EnumerateFiles(state, folder, QString(), FileMode::Every);
        complete =
            state.dirCount - 1 <= state.settings.dirMax && state.fileCount - 1 <= state.settings.fileMax;
        removed = deletePass(state, folder, complete, outcome.problems);
    }
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
    const QString target = QFileInfo(targetFolder).canonicalFilePath();
    // Judged by the folder the entry lies in: a link leading into the target still moves.
    const auto alreadyThere = [&target](const QString& path) {
        return !target.isEmpty() && QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath() == target;
    };
    if (!paths.isEmpty() && std::all_of(paths.begin(), paths.end(), alreadyThere))
        return Outcome::refused(QStringLiteral("The selected files are already in that image set.  Choose "
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
