#pragma once

#include <QByteArray>
#include <QIODevice>

/// A picture's bytes read as a device, without a copy of them, leaving out a PNG's text chunks
/// (tEXt, zTXt, iTXt): a decoder keeps their words several times over, and another program may
/// make them as long as it likes, while a screenshot needs none of them. Other bytes, and a PNG
/// from a chunk that does not read as one on, are read as they are. Open for reading once made.
class PictureWithoutText final : public QIODevice
{
public:
    explicit PictureWithoutText(QByteArray bytes);

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }

protected:
    qint64 readData(char* data, qint64 most) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    // Where reading stands: the byte of m_bytes read next, and how many bytes from there are
    // read as they are before the next chunk.
    struct Cursor
    {
        qint64 from = 0;
        qint64 plain = 0;
    };

    Cursor start() const;
    // Moves \a cursor on by up to \a count bytes read, copied to \a data unless it is null;
    // the bytes moved over.
    qint64 move(Cursor& cursor, qint64 count, char* data) const;
    // Sets \a cursor, standing at a chunk, past the text chunks there; false at the end.
    bool nextChunk(Cursor& cursor) const;

    QByteArray m_bytes;
    bool m_png;
    qint64 m_size = 0;
    Cursor m_cursor;
    qint64 m_at = 0; // the position m_cursor stands at
};
