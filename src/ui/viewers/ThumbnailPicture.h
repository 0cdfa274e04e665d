#pragma once

#include <QImage>
#include <QSize>
#include <QString>

/// The picture at \a path decoded straight to \a size, stretched; a clear placeholder of that
/// size when the file cannot be decoded.
QImage LoadThumbnail(const QString& path, QSize size);
