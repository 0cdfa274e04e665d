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

    /// Lists the sub-folders of \a folder (ending in "/") anew; an empty \a folder lists none. The
    /// row to choose: that of \a kept, else the first; -1 when none are listed.
    int list(const QString& folder, const QString& kept);
    /// Lists the folder again in place, unless \a kept, the name chosen, is gone or empty: then
    /// nothing changes, and false. The rows of names gone are taken out, new names put in their
    /// place.
    bool follow(const QString& kept);
    /// The row of \a name, or -1.
    int rowOf(const QString& name) const { return static_cast<int>(m_names.indexOf(name)); }
    const QStringList& names() const { return m_names; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList listing() const;

    QString m_folder;
    QStringList m_names;
};
