#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// One picture of a library as the text index follows it.
struct LibraryPicture
{
    QString path;        ///< "Category/Image Set/name", relative to the library's root
    qint64 size = 0;     ///< bytes
    qint64 modified = 0; ///< last change, milliseconds since the epoch
};

/// Every picture of every Image Set of the library at \a root (ending in "/"), as ImageSetPictures
/// gives them: Categories and Image Sets are folders, never links to one.
QList<LibraryPicture> ListLibraryPictures(const QString& root);

/// The Category and the Image Set of a picture's relative \a path.
QString CategoryOf(const QString& path);
QString ImageSetOf(const QString& path);
/// The folders a picture's relative \a path lies in: "Category/" and "Category/Image Set/".
QStringList FoldersOf(const QString& path);
