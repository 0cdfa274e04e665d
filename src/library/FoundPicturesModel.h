#pragma once

#include "IndexSearch.h"

#include <QAbstractListModel>

/// The pictures Find found, in the order found: a row each, showing the file's name over its
/// Category and Image Set. A row can be dragged out into other programs as a copy of its file.
class FoundPicturesModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        PathRole = Qt::UserRole, ///< the file's full path
    };

    using QAbstractListModel::QAbstractListModel;

    /// Shows \a found instead of what was shown.
    void setFound(QList<FoundPicture> found);
    const QList<FoundPicture>& found() const { return m_found; }
    /// The row of the picture at \a path, or -1.
    int rowOf(const QString& path) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    /// Dragged out, a picture is only ever copied: the library keeps it.
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    QList<FoundPicture> m_found;
};
