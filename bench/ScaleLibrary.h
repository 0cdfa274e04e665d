#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <fcntl.h>
#include <unistd.h>

// A library of Category "Cat" with the Image Sets "Few" (10 files) and "Many" (200,000), for
// the benchmarks that compare the two.
constexpr int ManyFiles = 200000;
constexpr int FewFiles = 10;
inline const QString Few = QStringLiteral("Few");
inline const QString Many = QStringLiteral("Many");

inline int FilesIn(const QString& set)
{
    return set == Few ? FewFiles : ManyFiles;
}

inline QString ScaleFileName(int n)
{
    return QStringLiteral("Image_261206_%1.jpg").arg(n, 6, 10, QLatin1Char('0'));
}

// Makes the library in \a dir; the first \a pictures files of each set are links to the real
// picture \a picture, the others empty: a file system allows only so many links.
inline bool MakeScaleLibrary(const QString& dir, const QString& picture = QString(), int pictures = 0)
{
    for (const QString& set : {Few, Many}) {
        const QString folder = dir + QStringLiteral("/Vistrelles/Cat/") + set + QLatin1Char('/');
        QDir().mkpath(folder);
        for (int n = 0; n < FilesIn(set); ++n) {
            const QByteArray path = QFile::encodeName(folder + ScaleFileName(n));
            if (n < pictures) {
                if (::link(QFile::encodeName(picture).constData(), path.constData()) != 0)
                    return false;
                continue;
            }
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (fd < 0)
                return false;
            ::close(fd);
        }
    }
    return true;
}
