#include "TestLibrary.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <csignal>
#include <sys/resource.h>

namespace TestLibrary {

void makeFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
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
    makeFolder(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("could not write test file %s", qPrintable(path));
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder)
{
    QStringList names;
    const QString base = QDir(folder).absolutePath() + '/';
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        names.append(it.next().mid(base.size()));
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

QStringList fingerprint(const QString& folder)
{
    QStringList lines;
    const QString base = QDir(folder).absolutePath() + '/';
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        lines.append(path.mid(base.size()) + ": " +
                     QCryptographicHash::hash(contents(path), QCryptographicHash::Sha256).toHex());
    }
    lines.sort();
    return lines;
}

} // namespace TestLibrary
