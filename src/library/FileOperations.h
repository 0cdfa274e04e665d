#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <QStringList>

/// True when \a folder (absolute, ending in "/", written without "." or ".." steps) lies
/// strictly inside \a libraryRoot and is neither "/" nor \a home nor a folder holding \a home.
bool FolderMayBeDeleted(const QString& folder, const QString& libraryRoot, const QString& home);

/// Deletes one file or symbolic link, first giving a file its owner write permission back (a
/// link's target is never touched). A file that is already gone is refused silently (no text);
/// any other failure carries the message the user is told.
Outcome RemoveFile(const QString& path);

/// Done when \a path (inside \a libraryRoot) is reached through real folders only, or when a
/// step is simply gone; else refused with why nothing may be deleted there: a step on the way
/// is a link (or a file), so what \a path names does not lie in the library.
Outcome ReachedThroughLink(const QString& libraryRoot, const QString& path);

/// Deletes every file, link and sub-folder below \a folder (ending in "/") of the library at
/// \a libraryRoot, but not the folder itself, and our own stale temporaries (hidden) with them;
/// other hidden entries stay. Symbolic links are removed, never followed. Refused with "Critical
/// error.  Code E." when \a folder fails FolderMayBeDeleted (the program must stop), or with
/// ReachedThroughLink's text; nothing was deleted then. What could not be removed is listed in
/// the outcome's problems.
Outcome DeleteFolderTree(const QString& libraryRoot, const QString& folder);

/// Removes the emptied \a folder (ending in "/") itself, or only the link when it is one. A
/// folder that is already gone counts as removed.
Outcome RemoveDeletedFolder(const QString& folder);

/// Moves each of \a paths into \a targetFolder (ending in "/") under its own name. Files already
/// in that folder stay as they are; when all of them are, the move is refused, since it would
/// do nothing. The outcome's problems hold one line for each file that was not moved.
Outcome MoveFilesInto(const QStringList& paths, const QString& targetFolder);
