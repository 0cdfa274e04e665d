#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

class QFile;

/// The file calls the library and the capture writer need beyond what Qt offers: renames and
/// writes that never replace a file, and deletes that never follow a symbolic link. Paths are
/// absolute; folder paths are written without the final "/".

/// Writes all of \a bytes to \a fd: 0, or the error number.
int WriteAll(int fd, const QByteArray& bytes);

/// Renames or moves \a from to \a to, never replacing a file already at \a to: refused with
/// EEXIST then. A change of letter case only is carried out also where the file system ignores
/// case. Works also where the file system has neither a no-replace rename nor hard links (FAT,
/// exFAT, many phone and network mounts).
Outcome RenameWithoutReplacing(const QString& from, const QString& to);

/// The file system's own ways of taking a name without replacing a file, tried first by the
/// renames here: a no-replace rename, else a hard link and an unlink. 0, or the error number;
/// EPERM, EINVAL, ENOSYS or ENOTSUP where the file system has neither. A test sets it to fail so
/// to stand for such a file system.
extern int (*TakeNameNatively)(int fromFolder, const char* from, int toFolder, const char* to);

/// Writes \a bytes under a hidden temporary name beside \a path, makes them durable, then gives
/// the file the name \a path without ever replacing one: refused with EEXIST when the name was
/// taken meanwhile. A half-written file never carries a visible name; on failure nothing is left.
Outcome WriteNewFile(const QString& path, const QByteArray& bytes);

/// Writes \a bytes like WriteNewFile, then puts the file in the place of the one at \a path; a
/// failure at any step leaves the old file as it was. Where \a path is a symbolic link, the file
/// it leads to is replaced and the link stays.
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

/// True when anything stands at \a path, a link leading nowhere included.
bool EntryExists(const QString& path);

/// True when \a first and \a second, links followed, are the same folder or file.
bool SameEntry(const QString& first, const QString& second);

/// Size and last change of the file at \a path, links followed; none when nothing is there.
struct FileFacts
{
    qint64 size = 0;
    QDateTime modified;
    bool regular = false; ///< a regular file, not a folder, pipe or device
};
std::optional<FileFacts> ReadFileFacts(const QString& path);

/// Makes the folder \a folder; refused with EEXIST when something of that name is there.
Outcome MakeFolder(const QString& folder);

/// Makes \a folder when it is missing and its parent exists; a failure when something that is
/// not a folder stands there or it cannot be made.
Outcome EnsureFolder(const QString& folder);

/// True when a file could be made in \a folder now: it is a folder this process may write in,
/// or it is missing and its parent is one (so that it can be made).
bool FolderTakesFiles(const QString& folder);

/// The bytes this process may still write on the file system of \a folder (of its parent when
/// it is missing); -1 when neither can be asked.
qint64 FreeBytes(const QString& folder);

/// The first step of \a path below \a root (\a root absolute and ending in "/", \a path inside it)
/// that is not a real folder: a symbolic link, a file, or nothing at all. The last step of \a path,
/// the item itself, is not looked at. Empty when every step on the way is a folder, so that what
/// \a path names really lies inside \a root.
QString FirstStepNotAFolder(const QString& root, const QString& path);

/// Opens \a path for reading into \a file when it is, after following links, a regular file.
/// A pipe, a device or a socket is never waited on: false then, \a file left closed.
bool OpenRegularFile(QFile& file, const QString& path);

/// Removes from \a folder the hidden temporaries of WriteNewFile and WriteFileReplacing that a
/// crash or a kill left behind: regular files named "." + name + "." + 8 hex digits + ".part",
/// last changed more than a minute ago. Every other entry stays.
void RemoveStaleTemporaries(const QString& folder);

/// Settles the hidden temporaries of WriteNewFile in \a folder that were last changed more than
/// \a olderThanSeconds ago (0: all of them, for a folder nobody writes in now): a picture that
/// is whole (a JPEG up to its end marker, a PNG up to its end chunk, a bitmap file as long as its
/// header says) gets the name it was written for, or the first free one with "_2", "_3" ...
/// before the extension; everything else is removed, and counted into \a removed when given.
/// The paths of the pictures recovered.
QStringList SettleTemporaries(const QString& folder, int olderThanSeconds, int* removed = nullptr);
