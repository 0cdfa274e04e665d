#pragma once

#include <QAbstractListModel>

/// A list of the library's pictures, a row each, whose rows can be dragged out into other
/// programs: only ever as a copy of their files, since the library keeps them.
class PictureListModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    /// The files of the rows \a indexes name, each once, in the order of the list.
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

protected:
    /// The file of the picture in \a row.
    virtual QString pathAt(int row) const = 0;
};
