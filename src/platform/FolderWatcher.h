#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

/// The change notices of folders, as the kernel gives them: an entry made, removed or renamed in
/// a folder followed, by any program. A file system that gives no notices (a network mount)
/// sends none; what changes there is seen by the walks alone.
class FolderWatcher : public QObject
{
    Q_OBJECT

public:
    /// Follows exactly \a folders (each ending in "/") from now on; those not among them are let
    /// go. A folder that cannot be followed (gone, unreadable) is left out.
    virtual void watch(const QStringList& folders) = 0;

signals:
    /// Something of \a folder (ending in "/") changed that the notices do not name: the folder
    /// itself went, or notices were lost. Notices of one change may come several times.
    void folderChanged(const QString& folder);
    /// The entries \a names of \a folder were made, removed, renamed or written.
    void entriesChanged(const QString& folder, const QStringList& names);
};
