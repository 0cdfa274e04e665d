#include "capture/BottomUpBgrBuffer.h"
#include "capture/JpegWriter.h"
#include "capture/PictureWithoutText.h"
#include "capture/PngWriter.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTest>
#include <QtEndian>
#include <cstring>
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

// The bytes of pictures: the 24-bit section the writers read in place, made from a picture or
// where a decoded one lies, and the JPEG encoded from it (the bitmap's rows and colours are
// checked by decoding the files the capture writes); the PNG file of a clipboard picture, every
// pixel read back as it went in, in a file no larger in kind than the picture needs; and the bytes
// a picture is decoded from: a PNG's words are never handed to the decoder, which keeps them
// several times over, while its pixels come out as they went in.
class tst_PictureBytes : public QObject
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

    // A size whose bytes overflow, in a row or in all, is refused with nothing allocated.
    void overflowingSizes()
    {
        for (const auto& [width, height] : {std::pair(715827883, 1), std::pair(46341, 15447)}) {
            BottomUpBgrBuffer dib;
            QCOMPARE(dib.Create(width, height).error, 6);
            QCOMPARE(dib.BytesPerScanLine(), 0);
            QVERIFY(!dib.DIBSectionBitsPtr());
        }
    }

    // A decoded picture turned into the section where it lies holds the picture's colours as a
    // bitmap lays them out: bottom row first, blue, green, red, rows padded with 0, alpha left
    // out. One that does not lie there (the decoder made its own, here a palette) is copied, its
    // rows converted a band at a time.
    void canvasConvertedInPlace_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<bool>("own"); // the canvas is the buffer's
        QTest::newRow("1 x 1") << 1 << 1 << QImage::Format_RGB32 << true;
        QTest::newRow("odd width and height, alpha") << 333 << 37 << QImage::Format_ARGB32 << true;
        QTest::newRow("another picture, a palette") << 3001 << 100 << QImage::Format_Indexed8 << false;
    }

    void canvasConvertedInPlace()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QImage::Format, format);
        QFETCH(bool, own);
        QImage picture(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y, qRgba(x * 7, y * 11 + x, (x ^ y) * 3, (x + y) % 2 ? 255 : 40));
        picture = picture.convertToFormat(format);
        QByteArray section;
        for (int y = height - 1; y >= 0; --y) {
            for (int x = 0; x < width; ++x) {
                const QRgb colour = picture.pixel(x, y);
                section += char(qBlue(colour)) + QByteArray(1, char(qGreen(colour))) + char(qRed(colour));
            }
            section += QByteArray((4 - width * 3 % 4) % 4, '\0');
        }

        BottomUpBgrBuffer dib;
        QImage filled = own ? dib.Canvas(width, height, format) : picture;
        QVERIFY(!filled.isNull());
        if (own)
            for (int y = 0; y < height; ++y)
                std::memcpy(filled.scanLine(y), picture.constScanLine(y), size_t(width) * 4);
        QVERIFY(dib.CreateFromCanvas(filled).done());
        QVERIFY(filled.isNull());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(dib.DIBSectionBitsPtr()),
                            qsizetype(dib.BytesPerScanLine()) * dib.Height()),
                 section);
    }

    // Upright, in its colours and of its size, from rows padded to four bytes; full chroma from
    // quality 90, halved below. An encoder failure is error 26001, with the encoder's own words,
    // and no file.
    void decodesToThePicture_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("stride");
        QTest::addColumn<int>("sampling"); // 0: the encoder fails
        QTest::newRow("1 wide, 90") << 1 << 90 << 4 << 0x11;
        QTest::newRow("333 wide, 89") << 333 << 89 << 1000 << 0x22;
        QTest::newRow("quality out of range") << 16 << 300 << 48 << 0;
    }

    void decodesToThePicture()
    {
        QFETCH(int, width);
        QFETCH(int, quality);
        QFETCH(int, stride);
        QFETCH(int, sampling);
        // A screenshot-like picture: a flat half beside a gradient that runs down and across.
        QImage picture(width, 37, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y, x < width / 2 ? qRgb(40, 90, 160) : qRgb(x * 255 / width, 200, y * 7));
        BottomUpBgrBuffer dib;
        QVERIFY(dib.CreateFromPicture(picture).done());
        QCOMPARE(dib.BytesPerScanLine(), stride);
        QByteArray jpeg;
        const Outcome encoded = EncodeJpegFile(dib, quality, jpeg);
        if (sampling == 0) {
            QCOMPARE(encoded.error, 26001);
            QVERIFY2(encoded.text.startsWith("Failed to save to JPG"), qPrintable(encoded.text));
            QVERIFY(jpeg.isEmpty());
            return;
        }
        QVERIFY(encoded.done());
        QVERIFY(jpeg.endsWith("\xff\xd9")); // the file is the JPEG, to its end marker and no further
        // The sampling factors of the first component in the baseline frame header: 0x11 is full
        // resolution (4:4:4), 0x22 halved both ways (4:2:0).
        const qsizetype frame = jpeg.indexOf("\xff\xc0");
        QVERIFY(frame >= 0 && frame + 11 < jpeg.size());
        QCOMPARE(int(static_cast<unsigned char>(jpeg.at(frame + 11))), sampling);
        const QImage decoded = QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(decoded.size(), picture.size());
        double difference = 0; // over every byte of both: the filler bytes, 0xff alike, add nothing
        for (qsizetype at = 0; at < picture.sizeInBytes(); ++at)
            difference += std::abs(picture.constBits()[at] - decoded.constBits()[at]);
        const double mean = difference / (3.0 * picture.width() * picture.height());
        QVERIFY2(mean <= 3.0, qPrintable(QString::number(mean)));
    }

    void readsBackExactly_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("translucent");
        QTest::addColumn<QString>("header");
        QTest::newRow("alpha channel, all opaque")
            << QImage::Format_ARGB32 << 37 << false << "8 bits, type 2";
        QTest::newRow("8 bits a channel, translucent")
            << QImage::Format_ARGB32 << 37 << true << "8 bits, type 6";
        QTest::newRow("24-bit rows padded") << QImage::Format_RGB888 << 37 << false << "8 bits, type 2";
        // Wide enough that its rows are converted in several bands.
        QTest::newRow("a palette") << QImage::Format_Indexed8 << 6001 << false << "8 bits, type 2";
        QTest::newRow("16 bits a channel, translucent")
            << QImage::Format_RGBA64 << 37 << true << "16 bits, type 6";
        QTest::newRow("16-bit grey") << QImage::Format_Grayscale16 << 37 << false << "16 bits, type 2";
    }

    void readsBackExactly()
    {
        QFETCH(QImage::Format, format);
        QFETCH(int, width);
        QFETCH(bool, translucent);
        QFETCH(QString, header);
        // Neighbouring pixels differ in every channel, at 16 bits a channel whose low bytes differ
        // from the high ones, so that a lost bit, a swapped channel, a row out of place or a pixel
        // cut off the end of an odd-width row all show.
        QImage deep(width, 23, QImage::Format_RGBA64);
        for (int y = 0; y < deep.height(); ++y)
            for (int x = 0; x < deep.width(); ++x)
                deep.setPixelColor(
                    x, y,
                    QColor::fromRgba64(quint16(x * 2311 + y * 4099), quint16(y * 2333 + x * 977 + 5),
                                       quint16(x * y * 131 + x * 1543 + y * 3119),
                                       translucent && (x + y) % 3 ? quint16(x * 3001 + y * 7919) : 0xffff));
        const QImage original = deep.convertToFormat(format);
        QByteArray png;
        const Outcome written = EncodePngFile(original, png);
        QVERIFY2(written.done(), qPrintable(written.text));
        // Bit depth and colour type from the header: 2 is RGB, 6 RGB with alpha.
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n") && png.size() > 26);
        QCOMPARE(QString("%1 bits, type %2").arg(int(png.at(24))).arg(int(png.at(25))), header);

        // Compared at 16 bits a channel, which holds any of the formats exactly.
        QCOMPARE(QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGBA64),
                 original.convertToFormat(QImage::Format_RGBA64));
    }
};

QTEST_GUILESS_MAIN(tst_PictureBytes)
#include "tst_PictureBytes.moc"
