#include "ImageInfo.h"

#include <QDateTime>
#include <QFileInfo>
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
