#pragma once

#include "PictureListModel.h"

#include <QStringList>

/// The images of the Image Set shown, in display order: the lines of the main window's file list,
/// which the image viewer steps through and the thumbnail viewer pages. A row's display text is
/// the file's name; the order is that of the paths below the set's folder, so the images of a
/// sub-folder stand together.
class ImageSetModel final : public PictureListModel
{
    Q_OBJECT

public:
    enum Role {
        PathRole = Qt::UserRole, ///< the file's full path
        ImagesRole,              ///< the paths a thumbnail of the row steps through: the file's own
    };

    using PictureListModel::PictureListModel;

    /// Shows \a images, files below the Image Set \a folder (ending in "/"): the first \a capacity of
    /// them as given, in display order.
    void setImages(const QString& folder, QStringList images, qsizetype capacity);
    void clear();

    const QString& folder() const { return m_folder; }
    const QStringList& paths() const { return m_paths; }
    QString path(int row) const { return m_paths.value(row); }

    /// Puts \a path, a new file below the folder, in its place of the display order; its row.
    int insertImage(const QString& path);
    /// Takes the line of \a path out; false when it was not listed.
    bool removeImage(const QString& path);
    /// The row of \a path, or -1 when it is not listed.
    int rowOf(const QString& path) const;
    /// The row of \a from follows the file's rename to \a to, into its place of the display order.
    void renameImage(const QString& from, const QString& to);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QString pathAt(int row) const override { return m_paths.at(row); }
    /// The row before which \a path stands in the display order.
    int placeOf(const QString& path) const;

    QString m_folder;
    QStringList m_paths;
};
