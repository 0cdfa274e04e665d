#include "ImageInfo.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>

QString FileDateText(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const QDateTime modified = info.lastModified();
    return QLocale().toString(modified.date(), QLocale::LongFormat) + QStringLiteral(", ") +
           QLocale::c().toString(modified.time(), QStringLiteral("hh:mm:ss AP"));
}

QString ImageInfoLine(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return FileDateText(path) + QStringLiteral("  (") + QString::number(info.size() / 1024) +
           QStringLiteral("KB)");
}

int WidestImageInfoLine(const QFontMetrics& metrics)
{
    const QString tail = QStringLiteral(", 12:00:00 PM  (99999KB)");
    int widest = 0;
    // A week in each month: every day and month name of the locale.
    for (int month = 1; month <= 12; ++month)
        for (int day = 22; day <= 28; ++day)
            widest = std::max(widest,
                              metrics.horizontalAdvance(
                                  QLocale().toString(QDate(2026, month, day), QLocale::LongFormat) + tail));
    return widest;
}
