#include "PictureTitle.h"

#include <zlib.h>

namespace {

constexpr char pngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype pngSignatureSize = 8;
constexpr qsizetype pngHeaderChunkSize = 8 + 13 + 4; // length, type, 13 bytes of header, CRC

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xff));
    return out;
}

bool addJpegComment(QByteArray& file, const QString& title)
{
    // The segment's length counts itself and holds at most 65535.
    const QByteArray text = (QStringLiteral("Title: ") + title).toUtf8().left(65533);
    qsizetype at = 2;
    // A JFIF or Exif segment must stay first.
    while (at + 4 <= file.size() && static_cast<quint8>(file.at(at)) == 0xff &&
           (static_cast<quint8>(file.at(at + 1)) & 0xf0) == 0xe0) {
        const qsizetype length =
            (static_cast<quint8>(file.at(at + 2)) << 8) | static_cast<quint8>(file.at(at + 3));
        at += 2 + length;
    }
    if (at > file.size())
        return false;
    file.insert(at, QByteArray("\xff\xfe", 2) + bigEndian(static_cast<quint32>(text.size() + 2), 2) + text);
    return true;
}

bool addPngText(QByteArray& file, const QString& title)
{
    if (file.size() < pngSignatureSize + pngHeaderChunkSize)
        return false;
    // Keyword, no compression, no language tag, no translated keyword, then the UTF-8 text.
    const QByteArray data = QByteArray("Title\0\0\0\0\0", 10) + title.toUtf8();
    const QByteArray typeAndData = QByteArray("iTXt") + data;
    const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(typeAndData.constData()),
                            static_cast<uInt>(typeAndData.size()));
    file.insert(pngSignatureSize + pngHeaderChunkSize, bigEndian(static_cast<quint32>(data.size()), 4) +
                                                           typeAndData +
                                                           bigEndian(static_cast<quint32>(crc), 4));
    return true;
}

} // namespace

bool AddPictureTitle(QByteArray& file, const QString& title)
{
    if (file.startsWith(QByteArray("\xff\xd8", 2)))
        return addJpegComment(file, title);
    if (file.startsWith(QByteArray(pngSignature, pngSignatureSize)))
        return addPngText(file, title);
    return false;
}
