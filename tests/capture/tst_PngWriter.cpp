#include "capture/PngWriter.h"

#include <QImage>
#include <QTest>

// The PNG file of a clipboard picture: every pixel read back as it went in, in a file no larger
// in kind than the picture needs.
class tst_PngWriter : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(tst_PngWriter)
#include "tst_PngWriter.moc"
