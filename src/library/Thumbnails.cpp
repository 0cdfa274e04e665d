#include "Thumbnails.h"

#include "DisplayOrder.h"
#include "LibraryTree.h"
#include "core/Settings.h"

QList<ThumbnailRow> GatherCategoryThumbnails(const Settings& settings, const QString& folder)
{
    QList<ThumbnailRow> rows;
    QStringList sets;
    for (const QString& name : ListSubfolders(folder))
        sets.append(folder + name + QLatin1Char('/'));
    SortForDisplay(sets, folder.size());
    if (sets.size() > SubfolderLimit)
        sets.resize(SubfolderLimit);
    for (const QString& set : std::as_const(sets)) {
        if (rows.size() >= settings.dirMax)
            break;
        QStringList images = ImageSetPictures(set);
        if (images.isEmpty())
            continue;
        if (images.size() > settings.fileMax)
            images.resize(settings.fileMax);
        SortForDisplay(images, set.size());
        if (images.size() > settings.dirMax)
            images.resize(settings.dirMax);
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
