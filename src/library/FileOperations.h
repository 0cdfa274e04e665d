#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <QStringList>

struct AppState;

/// True when \a folder (absolute, ending in "/", written without "." or ".." steps) lies
/// strictly inside \a libraryRoot and is neither "/" nor \a home nor a folder holding \a home.
bool FolderMayBeDeleted(const QString& folder, const QString& libraryRoot, const QString& home);

/// Deletes one file or symbolic link, first giving a file its owner write permission back (a
/// link's target is never touched). A file that is already gone is refused silently (no text);
/// any other failure carries the message the user is told.
Outcome RemoveFile(const QString& path);

/// Deletes every file, link and sub-folder below \a folder (ending in "/"), but not the folder
/// itself. Symbolic links are removed, never followed. Refused with "Critical error.  Code E."
/// when \a folder fails FolderMayBeDeleted: nothing was deleted and the program must stop.
/// What could not be removed is listed in the outcome's problems.
Outcome DeleteFolderTree(AppState& state, const QString& folder);

/// Removes the emptied \a folder (ending in "/") itself, or only the link when it is one. A
/// folder that is already gone counts as removed.
Outcome RemoveDeletedFolder(const QString& folder);

/// Moves each of \a paths into \a targetFolder (ending in "/") under its own name. Files already
/// in that folder stay as they are. The outcome's problems hold one line for each file that was
/// not moved.
Outcome MoveFilesInto(const QStringList& paths, const QString& targetFolder);
