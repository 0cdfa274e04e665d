#include "ThumbnailPicture.h"

#include "platform/FileSystem.h"

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QPainter>

QImage UnreadablePicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(32, 32, 32));
    QPainter painter(&picture);
    painter.setPen(QColor(200, 200, 200));
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    painter.drawText(picture.rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap,
                     QCoreApplication::translate("ThumbnailPicture", "This picture cannot be shown"));
    return picture;
}

QImage LoadThumbnail(const QString& path, QSize size)
{
    // A link to a pipe is never opened for reading: that would wait for ever.
    QFile file;
    if (!OpenRegularFile(file, path))
        return UnreadablePicture(size);
    QImageReader reader(&file);
    const QSize natural = reader.size();
    if (natural.isEmpty())
        return UnreadablePicture(size);
    // The JPEG decoder scales while decoding: a screenshot never exists at full size here.
    reader.setScaledSize(natural.scaled(size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage picture = reader.read();
    if (picture.isNull())
        return UnreadablePicture(size);
    return picture;
}
