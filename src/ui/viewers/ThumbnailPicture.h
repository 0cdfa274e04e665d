#pragma once

#include <QImage>
#include <QSize>
#include <QString>

/// The picture at \a path decoded straight to the largest size of its own shape that fits \a size;
/// a clear placeholder of \a size when the file cannot be decoded.
QImage LoadThumbnail(const QString& path, QSize size);
