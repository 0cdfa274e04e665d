#pragma once

#include "InstanceLock.h"

#include <QLockFile>
#include <memory>

/// A lock file in the user's runtime folder, held for the life of the process.
class LockFileInstance final : public InstanceLock
{
public:
    bool acquire() override;

private:
    std::unique_ptr<QLockFile> m_lock;
};
