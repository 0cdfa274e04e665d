#include "capture/BottomUpBgrBuffer.h"
#include "capture/JpegWriter.h"

#include <QImage>
#include <QTest>
#include <cstring>

// The 24-bit section the writers read in place, made from a picture or where a decoded one lies,
// and the JPEG encoded from it. The bitmap's rows
// and colours are checked by decoding the files the capture writes.
class tst_JpegWriter : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_GUILESS_MAIN(tst_JpegWriter)
#include "tst_JpegWriter.moc"
