#include "LockFileInstance.h"

#include "RuntimeFolder.h"
#include "platform/FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Locks the open \a fd, closing it unless held.
LockState lockOpen(int& fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return LockState::Held;
    const LockState state = errno == EWOULDBLOCK ? LockState::Taken : LockState::Unusable;
    ::close(fd);
    fd = -1;
    return state;
}

} // namespace

LockState LockFileAt(const QString& path, int& fd)
{
    const QByteArray name = NativePath(path);
    // No O_CREAT on the second try: a file someone else owns may still be opened to be locked.
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    fd = ::open(name.constData(), O_RDWR | O_CREAT | flags, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
        fd = ::open(name.constData(), O_RDONLY | flags);
    if (fd < 0)
        return LockState::Unusable;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        fd = -1;
        return LockState::Unusable;
    }
    return lockOpen(fd);
}

namespace {

// A lock is held on its own open file: taking it again from this process would find it taken.
void release(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

LockFileInstance::~LockFileInstance()
{
    release(m_lock);
    release(m_libraryLock);
}

bool LockFileInstance::acquire()
{
    release(m_lock);
    const QString folder = RuntimeFolder();
    if (folder.isEmpty())
        return true;
    // Something that is no lock file in the way (a folder, a pipe) moves the lock to a second
    // name that every instance tries in the same order.
    for (const char* name : {"/vistrelle.lock", "/vistrelle-2.lock"}) {
        if (const LockState state = LockFileAt(folder + QLatin1String(name), m_lock);
            state != LockState::Unusable)
            return state == LockState::Held;
    }
    return true;
}

bool LockFileInstance::acquireLibrary(const QString& libraryRoot)
{
    release(m_libraryLock);
    const QByteArray root = NativePath(libraryRoot);
    m_libraryLock = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_libraryLock < 0)
        return true;
    struct stat folder = {};
    ::fstat(m_libraryLock, &folder);
    if (const LockState state = lockOpen(m_libraryLock); state != LockState::Unusable)
        return state == LockState::Held;
    // Hidden, so no list shows it.
    LockState state = LockFileAt(libraryRoot + QStringLiteral(".vistrelle.lock"), m_libraryLock);
    const QString runtime = RuntimeFolder();
    if (state == LockState::Unusable && !runtime.isEmpty())
        state = LockFileAt(runtime + QStringLiteral("/library-%1-%2.lock")
                                         .arg(quint64(folder.st_dev), 0, 16)
                                         .arg(quint64(folder.st_ino), 0, 16),
                           m_libraryLock);
    return state != LockState::Taken;
}
