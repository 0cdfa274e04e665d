#pragma once

#include <QString>
#include <QStringList>

struct AppState;

/// The most sub-folders of one folder that a walk follows.
constexpr int SubfolderLimit = 1000;

/// How EnumerateFiles chooses files.
enum class FileMode { WithExtension = 0, Every = 1 };

/// True when \a name ends in "." + \a extension, ignoring case (".gif" itself counts).
bool HasImageExtension(const QString& name, const QString& extension);

/// True when \a name ends in one of the extensions CollectImages lists, ignoring case.
bool HasListedImageExtension(const QString& name);

/// Empties fileList and sets fileCount to 1, ready for a fresh walk.
void ResetFileWalk(AppState& state);

/// Empties dirList and sets dirCount to 1, ready for a fresh walk.
void ResetFolderWalk(AppState& state);

/// Appends to fileList the files below \a folder (ending in "/"): a folder's own files first,
/// then its sub-folders' in listing order. Hidden entries are skipped, symbolic links to
/// folders are never entered, and at most SubfolderLimit sub-folders of one folder are followed.
/// Beyond fileMax entries fileCount still advances but nothing is stored.
void EnumerateFiles(AppState& state, const QString& folder, const QString& extension, FileMode mode);

/// The images below \a folder into fileList: every ".jpg", then every ".gif", then every ".bmp".
void CollectImages(AppState& state, const QString& folder);

/// Appends to dirList the sub-folders below \a folder, each before its descendants; only the
/// folder's own sub-folders when \a topOnly is set.
void EnumerateFolders(AppState& state, const QString& folder, bool topOnly);

/// The names of the folders in \a folder, in listing order, hidden ones left out.
QStringList ListSubfolders(const QString& folder);

/// The part of \a path after its last "/", not looking at the last character: a folder path
/// "…/set/" gives "set/".
QString FileNameOf(const QString& path);
