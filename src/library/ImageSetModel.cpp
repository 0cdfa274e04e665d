#include "ImageSetModel.h"

#include "DisplayOrder.h"
#include "LibraryTree.h"

#include <algorithm>

void ImageSetModel::setImages(const QString& folder, QStringList images, qsizetype capacity)
{
    if (images.size() > capacity)
        images.resize(capacity);
    // Every path begins with the folder: the order of the rest is the order of the paths.
    SortForDisplay(images, folder.size());
    beginResetModel();
    m_folder = folder;
    m_paths = std::move(images);
    endResetModel();
}

void ImageSetModel::clear()
{
    setImages(QString(), QStringList(), 0);
}

int ImageSetModel::placeOf(const QString& path) const
{
    const auto place =
        std::upper_bound(m_paths.cbegin(), m_paths.cend(), path,
                         [](const QString& a, const QString& b) { return CompareDisplayOrder(a, b) < 0; });
    return static_cast<int>(place - m_paths.cbegin());
}

int ImageSetModel::insertImage(const QString& path)
{
    const int row = placeOf(path);
    beginInsertRows(QModelIndex(), row, row);
    m_paths.insert(row, path);
    endInsertRows();
    return row;
}

bool ImageSetModel::removeImage(const QString& path)
{
    const int row = rowOf(path);
    if (row < 0)
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    m_paths.removeAt(row);
    endRemoveRows();
    return true;
}

int ImageSetModel::rowOf(const QString& path) const
{
    const int row = placeOf(path) - 1;
    return row >= 0 && m_paths.at(row) == path ? row : -1;
}

void ImageSetModel::renameImage(const QString& from, const QString& to)
{
    const int row = rowOf(from);
    if (row < 0)
        return;
    // The row's place among the others once it carries the new path.
    const int place = placeOf(to);
    const int target = place > row ? place - 1 : place;
    if (target != row)
        beginMoveRows(QModelIndex(), row, row, QModelIndex(), target > row ? target + 1 : target);
    m_paths.move(row, target);
    m_paths[target] = to;
    if (target != row)
        endMoveRows();
    else
        emit dataChanged(index(row), index(row));
}

int ImageSetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_paths.size());
}

QVariant ImageSetModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const QString& path = m_paths.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return FileNameOf(path);
    case PathRole:
        return path;
    case ImagesRole:
        return QStringList{path};
    default:
        return {};
    }
}
