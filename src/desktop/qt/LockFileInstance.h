#pragma once

#include "platform/InstanceLock.h"

#include <QString>

/// How a lock at a path came out.
enum class LockState {
    Held,     ///< this process holds it now
    Taken,    ///< another process holds it
    Unusable, ///< nothing there can be locked: no file can be made, or a link, pipe or folder stands there
};

/// Locks (flock) the file at \a path, made when missing, for as long as the descriptor put into
/// \a fd stays open. What the file holds is never read: a file left by a crash, another host or a
/// power cut is taken over, since only a running process holds a lock. A link is never followed,
/// and a pipe is never waited on.
LockState LockFileAt(const QString& path, int& fd);

/// Locks held for the life of the process: the user's own in the runtime folder, and the
/// library's.
class LockFileInstance final : public InstanceLock
{
public:
    LockFileInstance() = default;
    ~LockFileInstance() override;
    LockFileInstance(const LockFileInstance&) = delete;
    LockFileInstance& operator=(const LockFileInstance&) = delete;

    bool acquire() override;
    /// The library's lock is held on its root folder itself, so a second program finds it
    /// whatever its runtime folder, user or settings, also on a read-only library. Where the file
    /// system cannot lock a folder (network file systems), a hidden lock file in the root takes
    /// its place, and where the root cannot hold one either, a lock in the runtime folder named
    /// after the library's device and inode.
    bool acquireLibrary(const QString& libraryRoot) override;

private:
    int m_lock = -1;
    int m_libraryLock = -1;
};
