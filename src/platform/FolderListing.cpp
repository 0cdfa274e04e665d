#include "FolderListing.h"

#include "FileNames.h"

#include <dirent.h>
#include <sys/stat.h>

namespace {

FolderEntry::Kind kindOf(mode_t mode, bool link)
{
    if (S_ISREG(mode))
        return FolderEntry::Kind::File;
    if (S_ISDIR(mode))
        return link ? FolderEntry::Kind::FolderLink : FolderEntry::Kind::Folder;
    return FolderEntry::Kind::Other;
}

} // namespace

QList<FolderEntry> ListFolder(const QString& folder)
{
    QList<FolderEntry> entries;
    QByteArray path = NativePath(folder);
    if (!path.endsWith('/'))
        path += '/';
    DIR* listing = ::opendir(path.constData());
    if (!listing)
        return entries;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        FolderEntry::Kind kind = FolderEntry::Kind::Other;
        struct stat status = {};
        switch (entry->d_type) {
        case DT_REG:
            kind = FolderEntry::Kind::File;
            break;
        case DT_DIR:
            kind = FolderEntry::Kind::Folder;
            break;
        case DT_LNK:
            if (::stat((path + name).constData(), &status) == 0)
                kind = kindOf(status.st_mode, true);
            break;
        case DT_UNKNOWN:
            if (::lstat((path + name).constData(), &status) == 0) {
                const bool link = S_ISLNK(status.st_mode);
                if (!link || ::stat((path + name).constData(), &status) == 0)
                    kind = kindOf(status.st_mode, link);
            }
            break;
        default:
            break;
        }
        entries.append({PathFromNative(name), kind});
    }
    ::closedir(listing);
    return entries;
}
