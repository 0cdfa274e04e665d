#pragma once

#include "IndexSearch.h"
#include "PictureListModel.h"

/// The pictures Find found, in the order found: a row each, showing the file's name over its
/// Category and Image Set. A row can be dragged out into other programs as a copy of its file.
class FoundPicturesModel final : public PictureListModel
{
    Q_OBJECT

public:
    enum Role {
        PathRole = Qt::UserRole, ///< the file's full path
    };

    using PictureListModel::PictureListModel;

    /// Shows \a found instead of what was shown.
    void setFound(QList<FoundPicture> found);
    const QList<FoundPicture>& found() const { return m_found; }
    /// The row of the picture at \a path, or -1.
    int rowOf(const QString& path) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QString pathAt(int row) const override { return m_found.at(row).path; }
    QList<FoundPicture> m_found;
};
