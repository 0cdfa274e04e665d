#include "FoundPicturesModel.h"

#include "LibraryTree.h"

void FoundPicturesModel::setFound(QList<FoundPicture> found)
{
    beginResetModel();
    m_found = std::move(found);
    endResetModel();
}

int FoundPicturesModel::rowOf(const QString& path) const
{
    for (int row = 0; row < m_found.size(); ++row)
        if (m_found.at(row).path == path)
            return row;
    return -1;
}

int FoundPicturesModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_found.size());
}

QVariant FoundPicturesModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const FoundPicture& found = m_found.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return FileNameOf(found.path) + QLatin1Char('\n') + found.category + QStringLiteral(" / ") +
               found.imageSet;
    case PathRole:
        return found.path;
    default:
        return {};
    }
}
