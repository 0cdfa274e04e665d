#pragma once

#include <QImage>
#include <QSize>
#include <QString>

struct AppState;
struct ThumbnailRow;

/// Fills thumbnailEntries with one row per image below the Image Set \a folder (ending in "/"),
/// in display order: the file name, then its path. At most dirMax rows.
void GatherSetThumbnails(AppState& state, const QString& folder);

/// Fills thumbnailEntries with one row per Image Set of the Category \a folder that holds an
/// image (sub-folders included), in display order: the set's name, then its images in display
/// order. At most dirMax rows of at most dirMax images; thumbnailCount ends one past the last row.
void GatherCategoryThumbnails(AppState& state, const QString& folder);

/// Row \a row (from 1) of thumbnailEntries, or null beyond the table.
const ThumbnailRow* ThumbnailRowAt(const AppState& state, int row);

/// The column a cell of row \a row shows after a click when it shows column \a column now: the
/// row's next image, its first after the last.
int NextThumbnailColumn(const AppState& state, int row, int column);

/// The picked name when it counts as a file name (a point fourth from the end of a name longer
/// than four characters), else empty: the name of an Image Set.
QString PickedFileName(const QString& name);

/// The picture at \a path decoded straight to \a size, stretched; a clear placeholder of that
/// size when the file cannot be decoded.
QImage LoadThumbnail(const QString& path, QSize size);
