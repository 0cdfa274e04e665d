#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>

/// The file calls the library and the capture writer need beyond what Qt offers: renames and
/// writes that never replace a file, and deletes that never follow a symbolic link. Paths are
/// absolute; folder paths are written without the final "/".

/// Renames or moves \a from to \a to, never replacing a file already at \a to: refused with
/// EEXIST then. A change of letter case only is carried out also where the file system ignores
/// case.
Outcome RenameWithoutReplacing(const QString& from, const QString& to);

/// Writes \a bytes under a hidden temporary name beside \a path, makes them durable, then gives
/// the file the name \a path without ever replacing one: refused with EEXIST when the name was
/// taken meanwhile. A half-written file never carries a visible name; on failure nothing is left.
Outcome WriteNewFile(const QString& path, const QByteArray& bytes);

/// Writes \a bytes like WriteNewFile, then puts the file in the place of the one at \a path; a
/// failure at any step leaves the old file as it was.
Outcome WriteFileReplacing(const QString& path, const QByteArray& bytes);

/// Deletes one file or symbolic link, first giving a file its owner write permission back (a
/// link's target is never touched). Refused with ENOENT when nothing is there.
Outcome RemoveEntry(const QString& path);

/// Removes the empty \a folder, or only the link when it is a symbolic link.
Outcome RemoveFolderOrLink(const QString& folder);

/// Gives a folder without owner write permission that permission, so its entries can go.
void GiveFolderOwnerWrite(const QString& folder);

/// True when \a path itself is a symbolic link, wherever it leads.
bool IsSymLink(const QString& path);

/// Makes \a folder when it is missing and its parent exists; a failure when something that is
/// not a folder stands there or it cannot be made.
Outcome EnsureFolder(const QString& folder);
