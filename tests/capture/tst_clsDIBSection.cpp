#include "capture/clsDIBSection.h"

#include <QBuffer>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

class tst_clsDIBSection : public QObject
{
    Q_OBJECT

private slots:
    void stride_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("stride");
        QTest::newRow("1") << 1 << 4;
        QTest::newRow("2") << 2 << 8;
        QTest::newRow("4") << 4 << 12;
        QTest::newRow("5") << 5 << 16;
        QTest::newRow("1366") << 1366 << 4100;
    }

    void stride()
    {
        QFETCH(int, width);
        QFETCH(int, stride);
        clsDIBSection dib;
        QVERIFY(dib.Create(width, 2));
        QCOMPARE(dib.BytesPerScanLine(), stride);
    }

    void sizesThatOverflow_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("stride") << 715827883 << 1;
        QTest::newRow("image size") << 20000 << 40000;
        QTest::newRow("just over") << 46341 << 15447;
    }

    void sizesThatOverflow()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        clsDIBSection dib;
        QVERIFY_THROWS_EXCEPTION(ArithmeticOverflow, dib.Create(width, height));
        QVERIFY(!dib.DIBSectionBitsPtr());
    }

    void emptySizeFreesTheOldBuffer()
    {
        clsDIBSection dib;
        QVERIFY(dib.Create(3, 2));
        QVERIFY(!dib.Create(0, 5));
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
