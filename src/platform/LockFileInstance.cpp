#include "LockFileInstance.h"

#include <QDir>
#include <QStandardPaths>

bool LockFileInstance::acquire()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QDir().mkpath(folder);
    m_lock = std::make_unique<QLockFile>(folder + QStringLiteral("/vistrelle.lock"));
    // A lock is never stale by age: Vistrelle runs for weeks. A lock left by a process that
    // died is still taken over, since QLockFile checks whether its owner is alive.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
