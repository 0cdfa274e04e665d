#include "ImageTypes.h"

#include <QImageReader>

QStringList ReadableImageTypes(const QStringList& offered)
{
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    QStringList types;
    for (const QString& type : offered) {
        if (type.startsWith(QLatin1String("image/")) && readable.contains(type.toLatin1()) &&
            !types.contains(type))
            types.append(type);
    }
    if (types.removeAll(QStringLiteral("image/png")) > 0)
        types.prepend(QStringLiteral("image/png"));
    return types;
}
