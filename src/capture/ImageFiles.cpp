#include "ImageFiles.h"

#include "clsDIBSection.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void putLe(char* at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

FileOutcome failure(int error)
{
    return {error, QString::fromLocal8Bit(std::strerror(error))};
}

/// A hidden file beside \a path, created for writing; its name goes to \a temporary.
int createTemporary(const QString& path, QByteArray& temporary)
{
    const QFileInfo info(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = QFile::encodeName(
            info.path() + QStringLiteral("/.") + info.fileName() +
            QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

/// Writes all of \a bytes and makes them durable before the file gets its real name.
int writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += written;
    }
    return ::fdatasync(fd) == 0 ? 0 : errno;
}

/// The temporary file with \a bytes, closed; on failure nothing is left behind.
int writeTemporary(const QString& path, const QByteArray& bytes, QByteArray& temporary, mode_t mode = 0)
{
    const int fd = createTemporary(path, temporary);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes);
    if (error == 0 && mode != 0 && ::fchmod(fd, mode) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    return error;
}

} // namespace

QByteArray BitmapFileBytes(const clsDIBSection& dib)
{
    constexpr int headers = 14 + 40;
    const int stride = dib.BytesPerScanLine();
    const long long sizeImage = static_cast<long long>(stride) * dib.Height();
    if (sizeImage + headers > std::numeric_limits<int>::max())
        throw ArithmeticOverflow();
    QByteArray file(headers + static_cast<qsizetype>(sizeImage), '\0');
    char* at = file.data();
    at[0] = 'B';
    at[1] = 'M';
    putLe(at + 2, static_cast<quint32>(file.size()), 4);
    putLe(at + 10, headers, 4);
    putLe(at + 14, 40, 4);
    putLe(at + 18, static_cast<quint32>(dib.Width()), 4);
    putLe(at + 22, static_cast<quint32>(dib.Height()), 4);
    putLe(at + 26, 1, 2);
    putLe(at + 28, 24, 2);
    putLe(at + 34, static_cast<quint32>(sizeImage), 4);
    if (dib.DIBSectionBitsPtr())
        std::memcpy(at + headers, dib.DIBSectionBitsPtr(), static_cast<size_t>(sizeImage));
    return file;
}

FileOutcome WriteNewFile(const QString& path, const QByteArray& bytes)
{
    QByteArray temporary;
    if (const int error = writeTemporary(path, bytes, temporary))
        return failure(error);
    const QByteArray target = QFile::encodeName(path);
    int error = 0;
    if (::link(temporary.constData(), target.constData()) != 0) {
        error = errno;
        // File systems without hard links still know a rename that refuses to replace.
        if (error != EEXIST &&
            ::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
            return {};
        if (error != EEXIST)
            error = errno;
    }
    ::unlink(temporary.constData());
    return error == 0 ? FileOutcome{} : failure(error);
}

FileOutcome ReplaceFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat old
    {
    };
    const bool existed = ::lstat(target.constData(), &old) == 0;
    if (existed && S_ISDIR(old.st_mode))
        return failure(EISDIR);
    if (existed && !(old.st_mode & S_IWUSR))
        return failure(EACCES);
    QByteArray temporary;
    if (const int error = writeTemporary(path, bytes, temporary, existed ? old.st_mode & 07777 : 0))
        return failure(error);
    if (::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return failure(error);
    }
    if (existed) {
        const timespec times[2] = {old.st_atim, old.st_mtim};
        ::utimensat(AT_FDCWD, target.constData(), times, 0);
    }
    return {};
}
