#include "FolderNamesModel.h"

#include "DisplayOrder.h"
#include "LibraryTree.h"

#include <QSet>
#include <algorithm>

int FolderNamesModel::list(const QString& folder, const QString& kept)
{
    beginResetModel();
    m_folder = folder;
    m_names = listing();
    endResetModel();
    return m_names.isEmpty() ? -1 : std::max(rowOf(kept), 0);
}

QStringList FolderNamesModel::listing() const
{
    if (m_folder.isEmpty())
        return {};
    QStringList names = ListSubfolders(m_folder);
    SortForDisplay(names);
    return names;
}

bool FolderNamesModel::follow(const QString& kept)
{
    const QStringList names = listing();
    if (kept.isEmpty() || !names.contains(kept))
        return false;
    const QSet<QString> listed(names.cbegin(), names.cend());
    for (int row = static_cast<int>(m_names.size()) - 1; row >= 0; --row)
        if (!listed.contains(m_names.at(row))) {
            beginRemoveRows(QModelIndex(), row, row);
            m_names.removeAt(row);
            endRemoveRows();
        }
    // What is left keeps the display order, so each new name goes where the listing has it.
    for (int row = 0; row < names.size(); ++row)
        if (m_names.value(row) != names.at(row)) {
            beginInsertRows(QModelIndex(), row, row);
            m_names.insert(row, names.at(row));
            endInsertRows();
        }
    return true;
}

int FolderNamesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant FolderNamesModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid) ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_names.at(index.row());
}
