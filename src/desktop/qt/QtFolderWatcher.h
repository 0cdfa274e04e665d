#pragma once

#include "platform/FolderWatcher.h"

#include <QFileSystemWatcher>

/// Folders followed through the kernel's change notices (inotify), by Qt's file system watcher.
class QtFolderWatcher final : public FolderWatcher
{
    Q_OBJECT

public:
    QtFolderWatcher();
    void watch(const QStringList& folders) override;

private:
    QFileSystemWatcher m_watcher;
};
