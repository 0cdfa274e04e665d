#pragma once

#include "platform/InstanceLock.h"

#include <QLockFile>
#include <memory>

/// Lock files held for the life of the process: one in the user's runtime folder, one in the
/// library's folder.
class LockFileInstance final : public InstanceLock
{
public:
    bool acquire() override;
    bool acquireLibrary(const QString& libraryRoot) override;

private:
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLockFile> m_libraryLock;
};
