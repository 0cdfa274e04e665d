#include "LockFileInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace {

std::unique_ptr<QLockFile> lockFile(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // A lock is never stale by age: Vistrelle runs for weeks. A lock left by a process that
    // died is still taken over, since QLockFile checks whether its owner is alive.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

bool LockFileInstance::acquire()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(folder);
    m_lock = lockFile(folder + QStringLiteral("/vistrelle.lock"));
    return m_lock->tryLock(0);
}

bool LockFileInstance::acquireLibrary(const QString& libraryRoot)
{
    // Hidden, so no list shows it; in the library itself, so a second program on the same
    // library finds it whichever runtime folder or settings it started with.
    m_libraryLock = lockFile(libraryRoot + QStringLiteral(".vistrelle.lock"));
    return m_libraryLock->tryLock(0) || m_libraryLock->error() != QLockFile::LockFailedError;
}
