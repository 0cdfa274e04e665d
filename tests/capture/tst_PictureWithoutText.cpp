#include "capture/PictureWithoutText.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>
#include <zlib.h>

namespace {

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// A whole chunk, with its check sum right: a decoder drops a text chunk whose sum is wrong by
// itself.
QByteArray chunk(const QByteArray& type, const QByteArray& data)
{
    const QByteArray sum = type + data;
    return bigEndian(quint32(data.size())) + sum +
           bigEndian(quint32(crc32(0, reinterpret_cast<const Bytef*>(sum.constData()), uInt(sum.size()))));
}

} // namespace

// The bytes a picture is decoded from: a PNG's words are never handed to the decoder, which
// keeps them several times over, while its pixels come out as they went in.
class tst_PictureWithoutText : public QObject
{
    Q_OBJECT

    QImage m_picture;
    QByteArray m_head; // the PNG's signature and header chunk
    QByteArray m_body; // its pixel chunks
    QByteArray m_end;  // its end chunk

private slots:
    void initTestCase()
    {
        m_picture = QImage(29, 17, QImage::Format_RGB32);
        for (int y = 0; y < m_picture.height(); ++y)
            for (int x = 0; x < m_picture.width(); ++x)
                m_picture.setPixel(x, y, qRgb(x * 9, y * 15, (x ^ y) * 7));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(m_picture.save(&buffer, "PNG"));
        const qsizetype pixels = png.indexOf("IDAT") - 4;
        m_head = png.left(pixels);
        m_end = png.right(12);
        m_body = png.mid(pixels, png.size() - pixels - 12);
        QVERIFY(pixels > 0 && m_end.mid(4, 4) == "IEND");
    }

    void leavesOutTheWords_data()
    {
        const QByteArray words(5000, 'w');
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("read");
        QTest::newRow("tEXt before the pixels")
            << m_head + chunk("tEXt", "Comment\0" + words) + m_body + m_end << m_head + m_body + m_end;
        QTest::newRow("zTXt and iTXt after them")
            << m_head + m_body + chunk("zTXt", "Comment\0\0" + qCompress(words).mid(4)) +
                   chunk("iTXt", "Title\0\0\0\0\0" + words) + m_end
            << m_head + m_body + m_end;
        // The chunk that claims more bytes than there are, and all after it, as they are.
        const QByteArray cut = bigEndian(1 << 30) + "tEXt" + words;
        QTest::newRow("a chunk longer than the bytes")
            << m_head + chunk("tEXt", words) + m_body + cut << m_head + m_body + cut;
        // Another format's eight bytes, then what would be a PNG's text chunk.
        const QByteArray gif = QByteArray("GIF89a\x1d\0", 8) + chunk("tEXt", words);
        QTest::newRow("not a PNG") << gif << gif;
    }

    void leavesOutTheWords()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, read);
        PictureWithoutText device(bytes);
        QCOMPARE(device.size(), read.size());
        QCOMPARE(device.readAll(), read);
        // Read again by the decoder, which looks at the start first and then reads on.
        if (!read.endsWith(m_end))
            return;
        QVERIFY(device.seek(0));
        const QImage decoded = QImageReader(&device).read();
        QCOMPARE(decoded.convertToFormat(QImage::Format_RGB32), m_picture);
    }
};

QTEST_GUILESS_MAIN(tst_PictureWithoutText)
#include "tst_PictureWithoutText.moc"
