#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct Settings;

/// One thumbnail of the thumbnail viewer: its name and the full paths of its images in display
/// order.
struct ThumbnailRow
{
    QString name;
    QStringList images;
};

/// One row per Image Set of the Category \a folder that holds an image (sub-folders included),
/// in display order: the set's name, then its images in display order, of which a set's list
/// would show (the first fileMax of the kinds in the order of ImagesAmong). At most dirMax rows
/// of at most dirMax images.
QList<ThumbnailRow> GatherCategoryThumbnails(const Settings& settings, const QString& folder);

/// The picked name when it counts as a file name (a point fourth from the end of a name longer
/// than four characters, or an image extension such as ".jpeg"), else empty: the name of an
/// Image Set.
QString PickedFileName(const QString& name);
