#include "LibraryTree.h"

#include "platform/FolderListing.h"

#include <array>

namespace {

bool hidden(const FolderEntry& entry)
{
    return entry.name.startsWith(QLatin1Char('.'));
}

void walk(const QString& folder, FolderTree& tree)
{
    QStringList subfolders;
    for (const FolderEntry& entry : ListFolder(folder)) {
        if (hidden(entry)) {
            tree.hidden.append(folder + entry.name);
            continue;
        }
        switch (entry.kind) {
        case FolderEntry::Kind::File:
            tree.files.append(folder + entry.name);
            break;
        case FolderEntry::Kind::Folder:
            if (subfolders.size() < SubfolderLimit)
                subfolders.append(folder + entry.name + QLatin1Char('/'));
            else
                tree.whole = false;
            break;
        case FolderEntry::Kind::FolderLink:
        case FolderEntry::Kind::Other:
            tree.others.append(folder + entry.name);
            break;
        }
    }
    for (const QString& subfolder : std::as_const(subfolders)) {
        tree.folders.append(subfolder);
        walk(subfolder, tree);
    }
}

// The place of \a name's extension in ImageExtensions, or -1.
int imageKind(const QString& name)
{
    for (int kind = 0; kind < int(std::size(ImageExtensions)); ++kind)
        if (HasImageExtension(name, QLatin1String(ImageExtensions[kind])))
            return kind;
    return -1;
}

} // namespace

bool HasImageExtension(const QString& name, const QString& extension)
{
    const qsizetype tail = extension.size() + 1;
    if (name.size() < tail)
        return false;
    return name.at(name.size() - tail) == QLatin1Char('.') && name.endsWith(extension, Qt::CaseInsensitive);
}

bool IsImageName(const QString& name)
{
    return imageKind(name) >= 0;
}

FolderTree WalkFolder(const QString& folder)
{
    FolderTree tree;
    walk(folder, tree);
    return tree;
}

QStringList ImagesAmong(const QStringList& files)
{
    std::array<QStringList, std::size(ImageExtensions)> byKind;
    for (const QString& file : files)
        if (const int kind = imageKind(file); kind >= 0)
            byKind[kind].append(file);
    QStringList images = std::move(byKind[0]);
    for (size_t kind = 1; kind < byKind.size(); ++kind)
        images += byKind[kind];
    return images;
}

QStringList ImageSetPictures(const FolderTree& walk)
{
    return ImagesAmong(walk.files);
}

QStringList ImageSetPictures(const QString& folder)
{
    return ImageSetPictures(WalkFolder(folder));
}

QStringList ListSubfolders(const QString& folder)
{
    QStringList names;
    for (const FolderEntry& entry : ListFolder(folder))
        if (!hidden(entry) &&
            (entry.kind == FolderEntry::Kind::Folder || entry.kind == FolderEntry::Kind::FolderLink))
            names.append(entry.name);
    return names;
}

QString FileNameOf(const QString& path)
{
    if (path.size() < 2)
        return path;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'), path.size() - 2);
    return path.mid(slash + 1);
}
