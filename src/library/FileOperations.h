#pragma once

#include <QString>
#include <QStringList>

struct AppState;
class MessageBoxes;

/// True when \a folder (absolute, ending in "/", written without "." or ".." steps) lies
/// strictly inside \a libraryRoot and is neither "/" nor \a home nor a folder holding \a home.
bool FolderMayBeDeleted(const QString& folder, const QString& libraryRoot, const QString& home);

/// Deletes one file or symbolic link, first giving a file its owner write permission back (a
/// link's target is never touched). A file that is already gone is passed over silently; any
/// other failure is reported. True when something was deleted.
bool RemoveFile(MessageBoxes& boxes, const QString& path);

/// Deletes every file, link and sub-folder below \a folder (ending in "/"), but not the folder
/// itself. Symbolic links are removed, never followed. False, after the critical message, when
/// \a folder fails FolderMayBeDeleted: nothing was deleted and the program must stop.
bool DeleteFolderTree(AppState& state, MessageBoxes& boxes, const QString& folder);

/// Removes the emptied \a folder (ending in "/") itself, or only the link when it is one;
/// reports a folder that cannot be removed.
void RemoveDeletedFolder(MessageBoxes& boxes, const QString& folder);

enum class RenameResult { Renamed, TargetExists, Failed };

/// Renames or moves \a from to \a to, never replacing a file already at \a to. A change of
/// letter case only is carried out also where the file system ignores case.
RenameResult RenameWithoutReplacing(const QString& from, const QString& to);

/// Moves each of \a paths into \a targetFolder (ending in "/") under its own name. Files already
/// in that folder stay as they are. Returns one line for each file that was not moved.
QStringList MoveFilesInto(const QStringList& paths, const QString& targetFolder);
