#pragma once

#include <QList>
#include <QString>

/// One entry of a folder, as the library's walks see it.
struct FolderEntry
{
    enum class Kind {
        File,       ///< a regular file, or a link to one
        Folder,     ///< a folder itself, never a link
        FolderLink, ///< a link to a folder
        Other,      ///< a pipe, device or socket, a link to one, or a link that leads nowhere
    };
    QString name;
    Kind kind;
};

/// The entries of \a folder (written with or without the final "/"), in the order the file
/// system lists them, "." and ".." left out. The kind comes from the listing itself where the
/// file system gives it, so a folder of 50,000 files costs no 50,000 look-ups; only links are
/// followed to see what they lead to. Empty when the folder cannot be read.
QList<FolderEntry> ListFolder(const QString& folder);
