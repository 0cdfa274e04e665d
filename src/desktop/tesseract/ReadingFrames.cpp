#include "ReadingFrames.h"

#include <QIODevice>
#include <QtEndian>

namespace {

constexpr qsizetype lengthSize = 4;
constexpr qsizetype boxSize = 4 * lengthSize;

QByteArray length(qsizetype size)
{
    QByteArray bytes(lengthSize, '\0');
    qToBigEndian(static_cast<quint32>(size), bytes.data());
    return bytes;
}

qsizetype lengthAt(const QByteArray& bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// What follows an answer's kind: the text's length, the text, and each box's left, top,
// width and height.
QByteArray body(const TextReading& reading)
{
    const QByteArray text = reading.text.toUtf8();
    QByteArray bytes = length(text.size()) + text;
    bytes.reserve(bytes.size() + reading.boxes.size() * boxSize);
    for (const QRect& box : reading.boxes)
        for (const int value : {box.x(), box.y(), box.width(), box.height()})
            bytes += length(value);
    return bytes;
}

// \a reading's text and boxes from \a bytes, a body; false when it is none.
bool readBody(const QByteArray& bytes, TextReading& reading)
{
    if (bytes.size() < lengthSize)
        return false;
    const qsizetype textSize = lengthAt(bytes, 0);
    if (textSize > bytes.size() - lengthSize || (bytes.size() - lengthSize - textSize) % boxSize != 0)
        return false;
    reading.text = QString::fromUtf8(bytes.mid(lengthSize, textSize));
    for (qsizetype at = lengthSize + textSize; at < bytes.size(); at += boxSize)
        reading.boxes.append(QRect(static_cast<int>(lengthAt(bytes, at)),
                                   static_cast<int>(lengthAt(bytes, at + lengthSize)),
                                   static_cast<int>(lengthAt(bytes, at + 2 * lengthSize)),
                                   static_cast<int>(lengthAt(bytes, at + 3 * lengthSize))));
    return true;
}

// Reads exactly \a size bytes, waiting for them; false at the end of the input.
bool readFully(QIODevice& device, char* into, qint64 size)
{
    while (size > 0) {
        const qint64 got = device.read(into, size);
        if (got < 0 || (got == 0 && !device.waitForReadyRead(-1)))
            return false;
        into += got;
        size -= got;
    }
    return true;
}

} // namespace

namespace ReadingFrames {

QByteArray Picture(const QByteArray& bytes, ReadingHaste haste)
{
    return QByteArray(1, static_cast<char>(haste)) + length(bytes.size()) + bytes;
}

QByteArray Answer(const TextReading& reading)
{
    const QByteArray bytes = body(reading);
    return QByteArray(1, static_cast<char>(reading.kind)) + length(bytes.size()) + bytes;
}

std::optional<PictureToRead> ReadPicture(QIODevice& device)
{
    char head[1 + lengthSize];
    if (!readFully(device, head, sizeof head))
        return std::nullopt;
    PictureToRead picture;
    picture.haste =
        head[0] == static_cast<char>(ReadingHaste::Capture) ? ReadingHaste::Capture : ReadingHaste::Library;
    picture.bytes = QByteArray(qFromBigEndian<quint32>(head + 1), Qt::Uninitialized);
    if (!readFully(device, picture.bytes.data(), picture.bytes.size()))
        return std::nullopt;
    return picture;
}

std::optional<TextReading> TakeAnswer(QByteArray& received)
{
    if (received.size() < 1 + lengthSize)
        return std::nullopt;
    const qsizetype size = lengthAt(received, 1);
    if (received.size() < 1 + lengthSize + size)
        return std::nullopt;
    const int kind = received.at(0);
    TextReading reading;
    // An answer the program cannot make sense of counts as a picture that cannot be read.
    if (!readBody(received.mid(1 + lengthSize, size), reading) || kind < 0 ||
        kind > static_cast<int>(TextReading::Kind::Unavailable))
        reading = {TextReading::Kind::Unreadable, {}, {}};
    else
        reading.kind = static_cast<TextReading::Kind>(kind);
    received.remove(0, 1 + lengthSize + size);
    return reading;
}

} // namespace ReadingFrames
