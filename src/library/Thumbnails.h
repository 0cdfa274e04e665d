#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;

/// One thumbnail of the thumbnail viewer: its name and the full paths of its images in display
/// order.
struct ThumbnailRow
{
    QString name;
    QStringList images;
};

/// One row per image below the Image Set \a folder (ending in "/"), in display order: the file
/// name, then its path. At most dirMax rows.
QList<ThumbnailRow> GatherSetThumbnails(AppState& state, const QString& folder);

/// One row per Image Set of the Category \a folder that holds an image (sub-folders included),
/// in display order: the set's name, then its images in display order. At most dirMax rows of
/// at most dirMax images.
QList<ThumbnailRow> GatherCategoryThumbnails(AppState& state, const QString& folder);

/// The picked name when it counts as a file name (a point fourth from the end of a name longer
/// than four characters, or an image extension such as ".jpeg"), else empty: the name of an
/// Image Set.
QString PickedFileName(const QString& name);
