#include "TestLibrary.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TestLibrary {

// Paths go to the system as their bytes (NativePath), so tests can make names that are not UTF-8.

void makeFolder(const QString& folder)
{
    const QByteArray path = NativePath(folder);
    for (qsizetype slash = path.indexOf('/', 1); slash != -1; slash = path.indexOf('/', slash + 1))
        ::mkdir(path.left(slash).constData(), 0777);
    if (::mkdir(path.constData(), 0777) != 0 && errno != EEXIST)
        qFatal("could not make folder %s", qPrintable(folder));
}

QString makeImage(const QString& path, QSize size, const QColor& colour)
{
    makeFolder(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString suffix = QFileInfo(path).suffix().toLower();
    const char* format = suffix == "jpg" || suffix == "jpeg" ? "JPEG" : suffix == "png" ? "PNG" : "BMP";
    if (!image.save(path, format))
        qFatal("could not write test image %s", qPrintable(path));
    return path;
}

void makeFile(const QString& path, const QByteArray& bytes)
{
    makeFolder(path.left(path.lastIndexOf('/')));
    const int fd = ::open(NativePath(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) ||
        file.write(bytes) != bytes.size())
        qFatal("could not write test file %s", qPrintable(path));
}

QByteArray contents(const QString& path)
{
    const int fd = ::open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? file.readAll()
                                                                                       : QByteArray();
}

namespace {

// Every file below \a folder (ending in "/"), hidden ones too, links not followed, relative to \a base.
void collectFiles(const QByteArray& base, const QByteArray& folder, QStringList& names)
{
    DIR* listing = ::opendir((base + folder).constData());
    while (const dirent* entry = listing ? ::readdir(listing) : nullptr) {
        const QByteArray name = folder + entry->d_name;
        struct stat info = {};
        if (qstrcmp(entry->d_name, ".") == 0 || qstrcmp(entry->d_name, "..") == 0 ||
            ::lstat((base + name).constData(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode))
            collectFiles(base, name + '/', names);
        else if (S_ISREG(info.st_mode) ||
                 (S_ISLNK(info.st_mode) && ::stat((base + name).constData(), &info) == 0 &&
                  S_ISREG(info.st_mode)))
            names.append(PathFromNative(name));
    }
    if (listing)
        ::closedir(listing);
}

} // namespace

void removeTree(const QString& folder)
{
    const auto remove = [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); };
    ::nftw(NativePath(folder).constData(), remove, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT);
}

QStringList filesIn(const QString& folder)
{
    QStringList names;
    collectFiles(NativePath(QDir(folder).absolutePath()) + '/', QByteArray(), names);
    names.sort();
    return names;
}

void setModified(const QString& path, const QDateTime& when)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(when, QFileDevice::FileModificationTime))
        qFatal("could not set the time of %s", qPrintable(path));
}

void withFileSizeLimit(qint64 bytes, const std::function<void()>& act)
{
    rlimit old{};
    if (::getrlimit(RLIMIT_FSIZE, &old) != 0)
        qFatal("could not read the file size limit");
    const rlimit small{static_cast<rlim_t>(bytes), old.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN); // a short write instead of the signal
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
        qFatal("could not limit the file size");
    act();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}

} // namespace TestLibrary
