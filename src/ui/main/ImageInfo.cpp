#include "ImageInfo.h"

#include "platform/FileSystem.h"

#include <QLocale>

namespace {

QString dateText(const QDateTime& modified)
{
    return QLocale().toString(modified.date(), QLocale::LongFormat) + QStringLiteral(", ") +
           QLocale::c().toString(modified.time(), QStringLiteral("hh:mm:ss AP"));
}

} // namespace

QString FileDateText(const QString& path)
{
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    return facts ? dateText(facts->modified) : QString();
}

QString ImageInfoLine(const QString& path)
{
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    if (!facts)
        return {};
    return dateText(facts->modified) + QStringLiteral("  (") + QString::number(facts->size / 1024) +
           QStringLiteral("KB)");
}
