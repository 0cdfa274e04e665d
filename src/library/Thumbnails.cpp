#include "Thumbnails.h"

#include "DisplayOrder.h"
#include "LibraryTree.h"
#include "core/AppState.h"

namespace {

QStringList sortedImagesBelow(AppState& state, const QString& folder)
{
    ResetFileWalk(state);
    CollectImages(state, folder);
    QStringList images = state.fileList;
    SortForDisplay(images);
    return images;
}

} // namespace

QList<ThumbnailRow> GatherSetThumbnails(AppState& state, const QString& folder)
{
    QList<ThumbnailRow> rows;
    const QStringList images = sortedImagesBelow(state, folder);
    for (const QString& path : images) {
        if (rows.size() >= state.settings.dirMax)
            break;
        rows.append({FileNameOf(path), {path}});
    }
    return rows;
}

QList<ThumbnailRow> GatherCategoryThumbnails(AppState& state, const QString& folder)
{
    QList<ThumbnailRow> rows;
    QStringList sets;
    for (const QString& name : ListSubfolders(folder))
        sets.append(folder + name + QLatin1Char('/'));
    SortForDisplay(sets);
    if (sets.size() > SubfolderLimit)
        sets.resize(SubfolderLimit);
    for (const QString& set : std::as_const(sets)) {
        if (rows.size() >= state.settings.dirMax)
            break;
        QStringList images = sortedImagesBelow(state, set);
        if (images.isEmpty())
            continue;
        if (images.size() > state.settings.dirMax)
            images.resize(state.settings.dirMax);
        rows.append({FileNameOf(set).chopped(1), images});
    }
    return rows;
}

QString PickedFileName(const QString& name)
{
    if ((name.size() > 4 && name.at(name.size() - 4) == QLatin1Char('.')) || IsImageName(name))
        return name;
    return QString();
}
