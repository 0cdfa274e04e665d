#include "ReadingFrames.h"

#include <QIODevice>
#include <QtEndian>

namespace {

constexpr qsizetype lengthSize = 4;

QByteArray length(qsizetype size)
{
    QByteArray bytes(lengthSize, '\0');
    qToBigEndian(static_cast<quint32>(size), bytes.data());
    return bytes;
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

QByteArray Picture(const QByteArray& bytes)
{
    return length(bytes.size()) + bytes;
}

QByteArray Answer(const TextReading& reading)
{
    const QByteArray text = reading.text.toUtf8();
    return QByteArray(1, static_cast<char>(reading.kind)) + length(text.size()) + text;
}

std::optional<QByteArray> ReadPicture(QIODevice& device)
{
    char size[lengthSize];
    if (!readFully(device, size, lengthSize))
        return std::nullopt;
    QByteArray bytes(qFromBigEndian<quint32>(size), Qt::Uninitialized);
    if (!readFully(device, bytes.data(), bytes.size()))
        return std::nullopt;
    return bytes;
}

std::optional<TextReading> TakeAnswer(QByteArray& received)
{
    if (received.size() < 1 + lengthSize)
        return std::nullopt;
    const qsizetype size = qFromBigEndian<quint32>(received.constData() + 1);
    if (received.size() < 1 + lengthSize + size)
        return std::nullopt;
    const int kind = received.at(0);
    TextReading reading{kind <= static_cast<int>(TextReading::Kind::Unavailable) && kind >= 0
                            ? static_cast<TextReading::Kind>(kind)
                            : TextReading::Kind::Unreadable,
                        QString::fromUtf8(received.mid(1 + lengthSize, size)),
                        {}};
    received.remove(0, 1 + lengthSize + size);
    return reading;
}

} // namespace ReadingFrames
