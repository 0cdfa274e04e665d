#include "LiveFolders.h"

#include "library/ImageSetModel.h"
#include "library/LibraryTree.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/FolderWatcher.h"

#include <QFileInfo>
#include <utility>

namespace {

// Notices within this time of the first are one burst, listed once.
constexpr int burstMs = 75;
// A picture being written is looked at again this often; unchanged since the last look, it is whole.
constexpr int settlingMs = 250;
// A picture last changed this long ago is written whole already (moved or renamed into place).
constexpr qint64 stillForMs = 500;

} // namespace

LiveFolders::LiveFolders(FolderWatcher& watcher, const ImageSetModel& files, QObject* parent)
    : QObject(parent)
    , m_watcher(watcher)
    , m_files(files)
{
    m_burst.setSingleShot(true);
    m_burst.setInterval(burstMs);
    m_settling.setSingleShot(true);
    m_settling.setInterval(settlingMs);
    connect(&m_watcher, &FolderWatcher::folderChanged, this, &LiveFolders::noticed);
    connect(&m_watcher, &FolderWatcher::entriesChanged, this, &LiveFolders::named);
    connect(&m_burst, &QTimer::timeout, this, &LiveFolders::listAgain);
    connect(&m_settling, &QTimer::timeout, this, &LiveFolders::lookAgain);
}

void LiveFolders::follow(const QString& root, const QString& category, const QStringList& subfolders,
                         qsizetype capacity)
{
    m_root = root;
    m_category = category;
    m_imageSet = m_files.folder();
    m_subfolders = QSet<QString>(subfolders.cbegin(), subfolders.cend());
    m_capacity = capacity;
    // The lines were just listed whole: what was being written is listed already.
    m_arrivals.clear();
    m_settling.stop();
    watchAll();
}

void LiveFolders::stop()
{
    m_root.clear();
    m_category.clear();
    m_imageSet.clear();
    m_subfolders.clear();
    m_arrivals.clear();
    m_changed.clear();
    m_named.clear();
    m_burst.stop();
    m_settling.stop();
    m_watcher.watch({});
}

void LiveFolders::watchAll()
{
    QStringList folders;
    for (const QString* folder : {&m_root, &m_category, &m_imageSet})
        if (!folder->isEmpty())
            folders.append(*folder);
    if (!m_imageSet.isEmpty())
        folders += QStringList(m_subfolders.cbegin(), m_subfolders.cend());
    m_watcher.watch(folders);
}

bool LiveFolders::inImageSet(const QString& folder) const
{
    return !m_imageSet.isEmpty() && (folder == m_imageSet || m_subfolders.contains(folder));
}

void LiveFolders::noticed(const QString& folder)
{
    if (m_root.isEmpty() || (folder != m_root && folder != m_category && !inImageSet(folder)))
        return;
    m_changed.insert(folder);
    if (!m_burst.isActive())
        m_burst.start();
}

void LiveFolders::named(const QString& folder, const QStringList& names)
{
    if (m_root.isEmpty() || (folder != m_root && folder != m_category && !inImageSet(folder)))
        return;
    m_named[folder] += QSet<QString>(names.cbegin(), names.cend());
    if (inImageSet(folder)) {
        QStringList pictures;
        for (const QString& name : names)
            if (!name.startsWith(QLatin1Char('.')) && IsImageName(name))
                pictures.append(folder + name);
        if (!pictures.isEmpty())
            emit picturesNoticed(pictures);
    }
    if (!m_burst.isActive())
        m_burst.start();
}

void LiveFolders::listAgain()
{
    const QSet<QString> changed = std::exchange(m_changed, {});
    const QHash<QString, QSet<QString>> named = std::exchange(m_named, {});
    const QString imageSet = m_imageSet;
    if (changed.contains(m_root) || named.contains(m_root))
        emit categoriesChanged();
    if (!m_category.isEmpty() && (changed.contains(m_category) || named.contains(m_category)))
        emit imageSetsChanged();
    // Another Image Set shown meanwhile was listed whole.
    if (m_imageSet.isEmpty() || m_imageSet != imageSet)
        return;
    QStringList removed, arrived;
    const QSet<QString> subfolders = m_subfolders;
    for (const QString& folder : changed)
        if (inImageSet(folder))
            compare(folder, removed, arrived);
    for (auto folder = named.cbegin(); folder != named.cend(); ++folder)
        if (inImageSet(folder.key()) && !changed.contains(folder.key()))
            compareNamed(folder.key(), folder.value(), removed, arrived);
    // A sub-folder made or gone is seen from itself and from the folder it stands in.
    removed.removeDuplicates();
    arrived.removeDuplicates();
    if (m_subfolders != subfolders)
        watchAll();
    // A set holding more pictures than are listed lists new ones only while there is room.
    const qsizetype room = m_capacity - (m_files.rowCount() - removed.size());
    arrived.resize(std::clamp<qsizetype>(room, 0, arrived.size()));
    const QStringList added = settled(arrived);
    if (!added.isEmpty() || !removed.isEmpty())
        emit picturesChanged(added, removed);
}

void LiveFolders::compare(const QString& folder, QStringList& removed, QStringList& arrived)
{
    const QList<FolderEntry> entries = ListFolder(folder);
    QSet<QString> found;
    found.reserve(entries.size());
    QSet<QString> subfoldersNow;
    for (const FolderEntry& entry : entries) {
        if (entry.name.startsWith(QLatin1Char('.')))
            continue;
        if (entry.kind == FolderEntry::Kind::File && IsImageName(entry.name))
            found.insert(folder + entry.name);
        else if (entry.kind == FolderEntry::Kind::Folder && subfoldersNow.size() < SubfolderLimit)
            subfoldersNow.insert(folder + entry.name + QLatin1Char('/'));
    }
    // Every line lies below the Image Set's own folder.
    const bool all = folder == m_imageSet;
    for (const QString& path : m_files.paths()) {
        if (!all && !path.startsWith(folder))
            continue;
        const qsizetype slash = path.indexOf(QLatin1Char('/'), folder.size());
        if (slash < 0 ? !found.remove(path) : !subfoldersNow.contains(path.left(slash + 1)))
            removed.append(path);
    }
    // What is left was not listed: new, or being written.
    for (const QString& path : std::as_const(found))
        if (!m_arrivals.contains(path))
            arrived.append(path);
    for (auto sub = m_subfolders.begin(); sub != m_subfolders.end();) {
        const qsizetype slash = sub->indexOf(QLatin1Char('/'), folder.size());
        if (*sub != folder && sub->startsWith(folder) && !subfoldersNow.contains(sub->left(slash + 1)))
            sub = m_subfolders.erase(sub);
        else
            ++sub;
    }
    for (const QString& subfolder : std::as_const(subfoldersNow))
        if (!m_subfolders.contains(subfolder))
            addSubfolder(subfolder, arrived);
}

void LiveFolders::addSubfolder(const QString& subfolder, QStringList& arrived)
{
    const FolderTree tree = WalkFolder(subfolder);
    m_subfolders.insert(subfolder);
    for (const QString& inside : tree.folders)
        m_subfolders.insert(inside);
    arrived += ImageSetPictures(tree);
}

void LiveFolders::compareNamed(const QString& folder, const QSet<QString>& names, QStringList& removed,
                               QStringList& arrived)
{
    for (const QString& name : names) {
        if (name.startsWith(QLatin1Char('.')))
            continue;
        const QString path = folder + name;
        const QString subfolder = path + QLatin1Char('/');
        const QFileInfo entry(path);
        const bool picture = entry.isFile() && IsImageName(name);
        if (!picture && m_files.rowOf(path) >= 0)
            removed.append(path);
        else if (picture && m_files.rowOf(path) < 0 && !m_arrivals.contains(path))
            arrived.append(path);
        const bool isFolder = entry.isDir() && !entry.isSymLink();
        if (isFolder && !m_subfolders.contains(subfolder)) {
            addSubfolder(subfolder, arrived);
        } else if (!isFolder && m_subfolders.contains(subfolder)) {
            for (const QString& line : m_files.paths())
                if (line.startsWith(subfolder))
                    removed.append(line);
            for (auto sub = m_subfolders.begin(); sub != m_subfolders.end();)
                sub = sub->startsWith(subfolder) ? m_subfolders.erase(sub) : std::next(sub);
        }
    }
}

QStringList LiveFolders::settled(const QStringList& arrived)
{
    QStringList whole;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QString& path : arrived) {
        const std::optional<FileFacts> facts = ReadFileFacts(path);
        // Gone again, or not a picture file after all.
        if (!facts || !facts->regular) {
            m_arrivals.remove(path);
            continue;
        }
        const auto seen = m_arrivals.constFind(path);
        const bool still =
            seen != m_arrivals.cend() && seen->size == facts->size && seen->modified == facts->modified;
        if (still || facts->modified.msecsTo(now) >= stillForMs) {
            m_arrivals.remove(path);
            whole.append(path);
        } else {
            m_arrivals.insert(path, {facts->size, facts->modified});
        }
    }
    if (!m_arrivals.isEmpty() && !m_settling.isActive())
        m_settling.start();
    return whole;
}

void LiveFolders::lookAgain()
{
    const QStringList added = settled(m_arrivals.keys());
    if (!added.isEmpty())
        emit picturesChanged(added, {});
}
