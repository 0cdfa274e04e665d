#pragma once

/// The per-user test that no other Vistrelle is running.
class InstanceLock
{
public:
    virtual ~InstanceLock() = default;
    /// Takes the lock for this process; false when another running instance holds it.
    virtual bool acquire() = 0;
};
