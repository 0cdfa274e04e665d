#include "QtFolderWatcher.h"

#include <QSet>

namespace {

// Qt's watcher names a folder as it was given: without the final "/", as the system writes it.
QString withoutSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) && folder.size() > 1 ? folder.chopped(1) : folder;
}

} // namespace

QtFolderWatcher::QtFolderWatcher()
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this](const QString& folder) { emit folderChanged(folder + QLatin1Char('/')); });
}

void QtFolderWatcher::watch(const QStringList& folders)
{
    QSet<QString> wanted;
    for (const QString& folder : folders)
        wanted.insert(withoutSlash(folder));
    QStringList gone;
    const QStringList followed = m_watcher.directories();
    for (const QString& folder : followed)
        if (!wanted.remove(folder))
            gone.append(folder);
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    if (!wanted.isEmpty())
        m_watcher.addPaths(QStringList(wanted.cbegin(), wanted.cend()));
}
