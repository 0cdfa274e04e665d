#pragma once

#include <QImage>
#include <QSize>
#include <QString>

/// Pictures up to about a megapixel decode within a frame; larger ones are decoded away from the
/// window, so that choosing one never holds it (or the program's end) up.
constexpr qint64 DecodedInPlace = 1 << 20;

/// What shows in place of a file that is no readable picture: "This picture cannot be shown".
QImage UnreadablePicture(QSize size);

/// The picture at \a path decoded straight to the largest size of its own shape that fits \a size;
/// UnreadablePicture of \a size when the file cannot be decoded.
QImage LoadThumbnail(const QString& path, QSize size);
