#include "PictureListModel.h"

#include "platform/ClipboardOffer.h"

#include <algorithm>

Qt::ItemFlags PictureListModel::flags(const QModelIndex& index) const
{
    return QAbstractListModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled : Qt::NoItemFlags);
}

QStringList PictureListModel::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData* PictureListModel::mimeData(const QModelIndexList& indexes) const
{
    QList<int> rows;
    for (const QModelIndex& index : indexes)
        if (index.isValid())
            rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList paths;
    for (const int row : std::as_const(rows))
        paths.append(pathAt(row));
    return paths.isEmpty() ? nullptr : ClipboardOffer::pictures(paths);
}
