#pragma once

class QString;

/// The test that no other Vistrelle is running for this user, or on this library.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;
    /// Takes the per-user lock for this process; false when another running instance holds it.
    virtual bool acquire() = 0;
    /// Takes the lock of the library at \a libraryRoot (ending in "/") for this process; false when
    /// another running instance holds it, whatever its runtime folder. A library where no lock can
    /// be made at all (a read-only medium) is not refused.
    virtual bool acquireLibrary(const QString& libraryRoot) = 0;
};
