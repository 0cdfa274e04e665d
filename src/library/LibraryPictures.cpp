#include "LibraryPictures.h"

#include "LibraryTree.h"
#include "platform/FolderListing.h"

#include <QFileInfo>

namespace {

// The visible folders of \a folder that are folders themselves, not links to one.
QStringList subfolders(const QString& folder)
{
    QStringList names;
    for (const FolderEntry& entry : ListFolder(folder))
        if (entry.kind == FolderEntry::Kind::Folder && !entry.name.startsWith(QLatin1Char('.')))
            names.append(entry.name);
    return names;
}

} // namespace

QList<LibraryPicture> ListLibraryPictures(const QString& root)
{
    QList<LibraryPicture> pictures;
    for (const QString& category : subfolders(root)) {
        for (const QString& imageSet : subfolders(root + category)) {
            const QString set = category + QLatin1Char('/') + imageSet + QLatin1Char('/');
            for (const FolderEntry& entry : ListFolder(root + set)) {
                if (entry.kind != FolderEntry::Kind::File || entry.name.startsWith(QLatin1Char('.')) ||
                    !IsImageName(entry.name))
                    continue;
                const QFileInfo info(root + set + entry.name);
                pictures.append({set + entry.name, info.size(), info.lastModified().toMSecsSinceEpoch()});
            }
        }
    }
    return pictures;
}

QString CategoryOf(const QString& path)
{
    return path.section(QLatin1Char('/'), 0, 0);
}

QString ImageSetOf(const QString& path)
{
    return path.section(QLatin1Char('/'), 1, 1);
}
