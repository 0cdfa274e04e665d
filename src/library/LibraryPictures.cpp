#include "LibraryPictures.h"

#include "LibraryTree.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"

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
            for (const QString& file : ImageSetPictures(root + set)) {
                // Gone since the walk: the next walk no longer finds it either.
                const std::optional<FileFacts> facts = ReadFileFacts(file);
                if (facts)
                    pictures.append(
                        {file.mid(root.size()), facts->size, facts->modified.toMSecsSinceEpoch()});
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

QStringList FoldersOf(const QString& path)
{
    const QString category = CategoryOf(path) + QLatin1Char('/');
    return {category, category + ImageSetOf(path) + QLatin1Char('/')};
}
