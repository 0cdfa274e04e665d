#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <QStringList>
#include <optional>

struct AppState;

/// Makes the Category \a name in the library; refused when it cannot be made (most often: it
/// exists already).
Outcome CreateCategory(const QString& libraryRoot, const QString& name);

/// Makes the Image Set \a name in the Category folder \a categoryFolder (ending in "/").
Outcome CreateImageSet(const QString& categoryFolder, const QString& name);

/// How a delete ended.
struct DeleteOutcome
{
    /// Done, with a message in the problems for each thing that could not go; or refused with the
    /// text to tell, nothing deleted.
    Outcome outcome;
    /// Refused because the folder is not one the library may delete: the program must stop.
    bool critical = false;
    /// What no trash could take, still in place: deleted for good only once the user agrees.
    QStringList notTrashed;
    /// Why the trash could not take them, in the system's words.
    QString trashError;
};

/// Moves a Category or Image Set folder (ending in "/") with everything in it to the trash, in
/// one move; a folder that is a link goes as the link. Refused (critical) when the folder is not
/// one the library may delete, and refused when it is reached through a link. A folder already
/// gone counts as deleted.
DeleteOutcome TrashLibraryFolder(AppState& state, const QString& folder);

/// Deletes a Category or Image Set folder for good, as TrashLibraryFolder refuses it otherwise;
/// a folder that is a link loses only the link, and no link inside is followed.
DeleteOutcome DeleteLibraryFolder(AppState& state, const QString& folder);

/// Moves each of \a paths (files in the library at \a libraryRoot) to the trash; a file reached
/// through a link is not touched and named in the problems. Files already gone are not reported.
DeleteOutcome TrashFiles(const QString& libraryRoot, const QStringList& paths);

/// Deletes each of \a paths for good, with the same check; the problems hold the message for
/// each one that could not go.
DeleteOutcome DeleteFiles(const QString& libraryRoot, const QStringList& paths);

/// Renames the file at \a path to \a newName in its own folder, never replacing a file. A new
/// name without one of the listed picture extensions keeps the file's own extension, so the file
/// stays in the list.
Outcome RenameFile(const QString& path, const QString& newName);

/// The row of \a categories (the names of the Category list, in its order) whose folder holds
/// an entry named \a imageSet, ignoring case: the row of \a preferredCategory when it holds one,
/// else the last such row. Empty when none does.
std::optional<int> FindImageSet(const QString& libraryRoot, const QStringList& categories,
                                const QString& imageSet, const QString& preferredCategory);

/// The pictures of the Image Set \a folder (ending in "/"), as ImageSetPictures gives them, listed in one
/// walk after removing the stale temporaries a killed write left there; \a subfolders, when given,
/// receives the sub-folders the walk went into, as FolderTree::folders.
QStringList ListImageSet(const QString& folder, QStringList* subfolders = nullptr);
