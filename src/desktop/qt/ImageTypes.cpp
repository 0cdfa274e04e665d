#include "ImageTypes.h"

#include <QImageReader>
#include <QMimeDatabase>

QStringList ReadableImageTypes(const QStringList& offered)
{
    // Qt looks only for the types it names after its readers ("image/tif"), while desktops
    // offer registered names and their aliases ("image/tiff", "image/x-bmp").
    static const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    const QMimeDatabase database;
    QStringList types;
    for (const QString& type : offered) {
        if (!type.startsWith(QLatin1String("image/")) || types.contains(type))
            continue;
        const QByteArray name = database.mimeTypeForName(type).name().toLatin1();
        if (!readable.contains(name) && !readable.contains(type.toLatin1()))
            continue;
        if (name == "image/png")
            types.prepend(type);
        else
            types.append(type);
    }
    return types;
}
