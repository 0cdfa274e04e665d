#pragma once

#include "platform/FolderWatcher.h"

#include <QHash>

class QSocketNotifier;

/// Folders followed through the kernel's change notices (inotify), read as they come on the
/// window's thread: each notice names the entry it is about.
class InotifyFolderWatcher final : public FolderWatcher
{
    Q_OBJECT

public:
    InotifyFolderWatcher();
    ~InotifyFolderWatcher() override;
    InotifyFolderWatcher(const InotifyFolderWatcher&) = delete;
    InotifyFolderWatcher& operator=(const InotifyFolderWatcher&) = delete;

    void watch(const QStringList& folders) override;

private:
    void readNotices();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    QHash<int, QString> m_folders; // by watch descriptor
};
