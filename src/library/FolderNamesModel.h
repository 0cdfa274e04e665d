#pragma once

#include <QAbstractListModel>
#include <QStringList>

/// The sub-folders of one folder of the library by name, in display order: the Categories of
/// the library, or the Image Sets of a Category, as the main window's choices offer them. A
/// listing of another folder is a reset; following the same folder, names come and go as rows
/// put in their place or taken out, the others staying on their rows' names.
class FolderNamesModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    /// Lists the sub-folders of \a folder (ending in "/"); an empty \a folder lists none.
    void list(const QString& folder);
    /// The sub-folders of the folder listed as they are now, in display order.
    QStringList listing() const;
    /// Brings the rows to \a names (in display order) in place: the rows of names gone are taken
    /// out, new names put in their place.
    void follow(const QStringList& names);

    const QStringList& names() const { return m_names; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QString m_folder;
    QStringList m_names;
};
