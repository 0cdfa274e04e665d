#include "PictureWithoutText.h"

#include <QtEndian>
#include <cstring>
#include <limits>

namespace {

const QByteArray pngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");
constexpr qint64 chunkFrame = 12; // length, type and check sum around a chunk's data

bool textChunk(const char* type)
{
    return std::memcmp(type, "tEXt", 4) == 0 || std::memcmp(type, "zTXt", 4) == 0 ||
           std::memcmp(type, "iTXt", 4) == 0;
}

} // namespace

PictureWithoutText::PictureWithoutText(QByteArray bytes)
    : m_bytes(std::move(bytes))
    , m_png(m_bytes.startsWith(pngSignature))
    , m_cursor(start())
{
    Cursor end = start();
    m_size = move(end, std::numeric_limits<qint64>::max(), nullptr);
    // Unbuffered, so that the position asked for is the one read at.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

PictureWithoutText::Cursor PictureWithoutText::start() const
{
    return {0, m_png ? pngSignature.size() : m_bytes.size()};
}

qint64 PictureWithoutText::readData(char* data, qint64 most)
{
    // The decoder reads on from where it stopped, apart from a look back at the start.
    if (pos() < m_at) {
        m_cursor = start();
        m_at = 0;
    }
    m_at += move(m_cursor, pos() - m_at, nullptr);
    const qint64 read = move(m_cursor, most, data);
    m_at += read;
    return read;
}

qint64 PictureWithoutText::move(Cursor& cursor, qint64 count, char* data) const
{
    qint64 moved = 0;
    while (moved < count && (cursor.plain > 0 || nextChunk(cursor))) {
        const qint64 part = std::min(count - moved, cursor.plain);
        if (data)
            std::memcpy(data + moved, m_bytes.constData() + cursor.from, static_cast<size_t>(part));
        cursor.from += part;
        cursor.plain -= part;
        moved += part;
    }
    return moved;
}

bool PictureWithoutText::nextChunk(Cursor& cursor) const
{
    if (!m_png)
        return false;
    for (;;) {
        const qint64 left = m_bytes.size() - cursor.from;
        if (left == 0)
            return false;
        const char* chunk = m_bytes.constData() + cursor.from;
        const qint64 length = left < chunkFrame ? -1 : qFromBigEndian<quint32>(chunk);
        if (length < 0 || length > left - chunkFrame) {
            cursor.plain = left; // not a chunk: the rest as it is
            return true;
        }
        if (!textChunk(chunk + 4)) {
            cursor.plain = length + chunkFrame;
            return true;
        }
        cursor.from += length + chunkFrame;
    }
}
