#pragma once

#include <QList>
#include <QString>

/// One picture of a library as the text index follows it.
struct LibraryPicture
{
    QString path;        ///< "Category/Image Set/name", relative to the library's root
    qint64 size = 0;     ///< bytes
    qint64 modified = 0; ///< last change, milliseconds since the epoch
};

/// Every image file of every Image Set of the library at \a root (ending in "/"): hidden
/// entries left out, links to folders not entered, as the windows list them.
QList<LibraryPicture> ListLibraryPictures(const QString& root);

/// The Category and the Image Set of a picture's relative \a path.
QString CategoryOf(const QString& path);
QString ImageSetOf(const QString& path);
