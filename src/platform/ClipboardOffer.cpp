#include "ClipboardOffer.h"

#include "FileNames.h"
#include "FileSystem.h"
#include "LibPng.h"

#include <QFile>
#include <QImageReader>

namespace {

const QString pngType = QStringLiteral("image/png");
const QString uriListType = QStringLiteral("text/uri-list");
const QString copiedFilesType = QStringLiteral("x-special/gnome-copied-files");
const QString utf8TextType = QStringLiteral("text/plain;charset=utf-8");

// A screenshot of eight 4K screens side by side still fits; larger files are not offered as a
// picture (a program pasting them would take gigabytes), only as files.
constexpr qint64 largestPictureFile = 256 * 1024 * 1024;
constexpr int decodeLimitMegabytes = 512;

// Built from the name's bytes: a name that is not valid UTF-8 reaches the other program unchanged.
QByteArray fileUri(const QString& path)
{
    return "file://" + NativePath(path).toPercentEncoding("/");
}

} // namespace

ClipboardOffer* ClipboardOffer::pictures(const QStringList& paths)
{
    auto* offer = new ClipboardOffer;
    offer->m_files = paths;
    QByteArray uris;
    QByteArray copied("copy");
    for (const QString& path : paths) {
        uris += fileUri(path) + "\r\n";
        copied += '\n' + fileUri(path);
    }
    offer->setData(uriListType, uris);
    offer->setData(copiedFilesType, copied);
    return offer;
}

ClipboardOffer* ClipboardOffer::words(const QString& text)
{
    auto* offer = new ClipboardOffer;
    offer->setText(text);
    offer->setData(utf8TextType, text.toUtf8());
    return offer;
}

QStringList ClipboardOffer::formats() const
{
    QStringList formats = QMimeData::formats();
    if (!picture().isEmpty() && !formats.contains(pngType))
        formats.prepend(pngType);
    return formats;
}

QVariant ClipboardOffer::retrieveData(const QString& mimeType, QMetaType type) const
{
    if (mimeType != pngType || picture().isEmpty())
        return QMimeData::retrieveData(mimeType, type);
    if (m_png.isEmpty())
        m_png = PictureAsPng(picture());
    return m_png;
}

QByteArray PictureAsPng(const QString& path)
{
    // A link to a pipe is never opened: that would wait for ever.
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    QFile file;
    if (!facts || facts->size > largestPictureFile || !OpenRegularFile(file, path))
        return {};
    static constexpr char signature[] = "\x89PNG\r\n\x1a\n";
    if (file.peek(sizeof signature - 1) == QByteArrayView(signature, sizeof signature - 1))
        return file.readAll();
    QImageReader reader(&file);
    reader.setAllocationLimit(decodeLimitMegabytes);
    QImage picture = reader.read();
    if (picture.isNull())
        return {};
    const bool alpha = picture.hasAlphaChannel();
    picture = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB32);
    const PngEncoding encoded = EncodePng(picture.constBits(), picture.width(), picture.height(),
                                          picture.bytesPerLine(), alpha ? PngRows::Rgba8 : PngRows::Rgb32);
    return encoded.ok ? encoded.bytes : QByteArray();
}
