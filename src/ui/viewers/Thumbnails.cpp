#include "Thumbnails.h"

#include "core/AppState.h"
#include "library/DisplayOrder.h"
#include "library/LibraryTree.h"

#include <QImageReader>
#include <QPainter>

namespace {

constexpr int subfolderLimit = 1000;

QStringList sortedImagesBelow(AppState& state, const QString& folder)
{
    ResetFileWalk(state);
    CollectImages(state, folder);
    QStringList images = state.fileList;
    SortForDisplay(images);
    return images;
}

QImage placeholder(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(32, 32, 32));
    QPainter painter(&picture);
    painter.setPen(QColor(200, 200, 200));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    painter.drawText(picture.rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("This picture cannot be shown"));
    return picture;
}

} // namespace

void GatherSetThumbnails(AppState& state, const QString& folder)
{
    const QStringList images = sortedImagesBelow(state, folder);
    for (const QString& path : images) {
        if (state.thumbnailEntries.size() >= state.dirMax)
            break;
        state.thumbnailEntries.append({FileNameOf(path), {path}});
    }
}

void GatherCategoryThumbnails(AppState& state, const QString& folder)
{
    QStringList sets;
    for (const QString& name : ListSubfolders(folder))
        sets.append(folder + name + QLatin1Char('/'));
    SortForDisplay(sets);
    if (sets.size() > subfolderLimit)
        sets.resize(subfolderLimit);
    for (const QString& set : std::as_const(sets)) {
        if (state.thumbnailEntries.size() >= state.dirMax)
            break;
        QStringList images = sortedImagesBelow(state, set);
        if (images.isEmpty())
            continue;
        if (images.size() > state.dirMax)
            images.resize(state.dirMax);
        state.thumbnailEntries.append({FileNameOf(set).chopped(1), images});
        ++state.thumbnailCount;
    }
}

const ThumbnailRow* ThumbnailRowAt(const AppState& state, int row)
{
    if (row < 1 || row > state.thumbnailEntries.size())
        return nullptr;
    return &state.thumbnailEntries.at(row - 1);
}

int NextThumbnailColumn(const AppState& state, int row, int column)
{
    const ThumbnailRow* entry = ThumbnailRowAt(state, row);
    if (!entry || column < 0 || column >= entry->images.size())
        return 1;
    return column + 1;
}

QString PickedFileName(const QString& name)
{
    if (name.size() > 4 && name.at(name.size() - 4) == QLatin1Char('.'))
        return name;
    return QString();
}

QImage LoadThumbnail(const QString& path, QSize size)
{
    QImageReader reader(path);
    // The JPEG decoder scales while decoding: a screenshot never exists at full size here.
    reader.setScaledSize(size);
    QImage picture = reader.read();
    if (picture.isNull())
        return placeholder(size);
    return picture;
}
