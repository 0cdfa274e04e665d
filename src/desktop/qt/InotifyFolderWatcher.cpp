#include "InotifyFolderWatcher.h"

#include "platform/FileNames.h"

#include <QSet>
#include <QSocketNotifier>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Entries made, removed, renamed or written to the end; the folder itself gone or moved.
constexpr uint32_t noticeMask = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE |
                                IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

} // namespace

InotifyFolderWatcher::InotifyFolderWatcher()
    : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_fd < 0)
        return;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InotifyFolderWatcher::readNotices);
}

InotifyFolderWatcher::~InotifyFolderWatcher()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

void InotifyFolderWatcher::watch(const QStringList& folders)
{
    if (m_fd < 0)
        return;
    QSet<QString> wanted(folders.cbegin(), folders.cend());
    for (auto followed = m_folders.begin(); followed != m_folders.end();) {
        if (wanted.remove(followed.value())) {
            ++followed;
            continue;
        }
        ::inotify_rm_watch(m_fd, followed.key());
        followed = m_folders.erase(followed);
    }
    for (const QString& folder : std::as_const(wanted)) {
        const int wd = ::inotify_add_watch(m_fd, NativePath(folder).constData(), noticeMask);
        if (wd >= 0)
            m_folders.insert(wd, folder);
    }
}

void InotifyFolderWatcher::readNotices()
{
    alignas(inotify_event) char buffer[64 * 1024];
    QHash<QString, QStringList> named;
    QSet<QString> whole;
    for (;;) {
        const ssize_t length = ::read(m_fd, buffer, sizeof buffer);
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto* notice = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + notice->len);
            // Notices were lost: every folder is looked at whole.
            if (notice->mask & IN_Q_OVERFLOW) {
                for (const QString& folder : std::as_const(m_folders))
                    whole.insert(folder);
                continue;
            }
            const auto folder = m_folders.constFind(notice->wd);
            if (folder == m_folders.cend())
                continue;
            if (notice->mask & IN_IGNORED) {
                whole.insert(folder.value());
                m_folders.erase(folder);
            } else if (notice->mask & (IN_DELETE_SELF | IN_MOVE_SELF)) {
                whole.insert(folder.value());
            } else if (notice->len > 0) {
                named[folder.value()].append(PathFromNative(QByteArray(notice->name)));
            }
        }
    }
    for (auto folder = named.cbegin(); folder != named.cend(); ++folder)
        emit entriesChanged(folder.key(), folder.value());
    for (const QString& folder : std::as_const(whole))
        emit folderChanged(folder);
}
