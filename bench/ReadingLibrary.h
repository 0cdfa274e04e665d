#pragma once

#include "ScreenshotLike.h"

#include <QDir>
#include <QFile>
#include <QString>

// The library of the reading benchmarks: Category "Cat" with an Image Set "Backlog" of
// ReadingBacklog 1920x1080 screenshots waiting to be read, and "Shots", shown at start, which
// the captures go into.
constexpr int ReadingBacklog = 60;

inline bool MakeReadingLibrary(const QString& dir)
{
    const QString backlog = dir + QStringLiteral("/Vistrelles/Cat/Backlog/");
    if (!QDir().mkpath(backlog) || !QDir().mkpath(dir + QStringLiteral("/Vistrelles/Cat/Shots")))
        return false;
    for (int seed = 0; seed < ReadingBacklog; ++seed)
        if (!ScreenshotLike(1920, 1080, 100 + seed).save(backlog + QStringLiteral("Image_%1.png").arg(seed)))
            return false;
    QFile ini(dir + QStringLiteral("/Vistrelle.ini"));
    return ini.open(QIODevice::WriteOnly) && ini.write("FIRSTCAT=Cat\r\nFIRSTSET=Shots\r\n") > 0;
}
