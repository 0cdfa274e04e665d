#include "ImageInfo.h"

#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

QString dateText(const QDateTime& modified)
{
    // The clock's format is the language's: a translation says whether its day has 12 hours or 24.
    return QLocale().toString(modified.date(), QLocale::LongFormat) + QStringLiteral(", ") +
           QLocale::c().toString(modified.time(), QCoreApplication::translate("ImageInfo", "hh:mm:ss AP"));
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
    return QCoreApplication::translate("ImageInfo", "%1  (%2KB)")
        .arg(dateText(facts->modified), QLocale().toString(facts->size / 1024));
}
