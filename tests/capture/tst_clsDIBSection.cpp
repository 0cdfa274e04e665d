#include "capture/clsDIBSection.h"

#include <QTest>

class tst_clsDIBSection : public QObject
{
    Q_OBJECT

private slots:
    // Rows pad to four bytes; a size whose bytes overflow is refused with nothing allocated.
    void sizes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("stride"); // 0: overflows
        QTest::newRow("1") << 1 << 2 << 4;
        QTest::newRow("4") << 4 << 2 << 12;
        QTest::newRow("5") << 5 << 2 << 16;
        QTest::newRow("1366") << 1366 << 2 << 4100;
        QTest::newRow("stride overflows") << 715827883 << 1 << 0;
        QTest::newRow("image size overflows") << 20000 << 40000 << 0;
        QTest::newRow("just over") << 46341 << 15447 << 0;
    }
    void sizes()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, stride);
        clsDIBSection dib;
        if (stride == 0) {
            QVERIFY_THROWS_EXCEPTION(ArithmeticOverflow, dib.Create(width, height));
            QVERIFY(!dib.DIBSectionBitsPtr());
            return;
        }
        QVERIFY(dib.Create(width, height));
        QCOMPARE(dib.BytesPerScanLine(), stride);
        QVERIFY(!dib.Create(0, 5)); // an empty size frees the old buffer
        QVERIFY(!dib.DIBSectionBitsPtr());
    }

    void pictureIsStoredBottomUpInBlueGreenRed()
    {
        QImage picture(2, 2, QImage::Format_ARGB32);
        picture.setPixel(0, 0, qRgb(1, 2, 3));
        picture.setPixel(1, 0, qRgb(4, 5, 6));
        picture.setPixel(0, 1, qRgb(7, 8, 9));
        picture.setPixel(1, 1, qRgb(10, 11, 12));
        clsDIBSection dib;
        dib.CreateFromPicture(picture);
        QCOMPARE(dib.BytesPerScanLine(), 8);
        const QByteArray bits(reinterpret_cast<const char*>(dib.DIBSectionBitsPtr()), 16);
        QCOMPARE(bits, QByteArray::fromHex("090807 0c0b0a 0000 030201 060504 0000"));
    }
};

QTEST_GUILESS_MAIN(tst_clsDIBSection)
#include "tst_clsDIBSection.moc"
