#include "capture/JpegWriter.h"
#include "capture/clsDIBSection.h"
#include "support/TestLibrary.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// The 24-bit section the writers read in place, and the JPEG encoded from it. The bitmap's rows
// and colours are checked by decoding the files the capture writes.
class tst_JpegWriter : public QObject
{
    Q_OBJECT

private slots:
    // Rows pad to four bytes; a size whose bytes overflow is refused with nothing allocated.
    void sectionSizes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("stride"); // 0: overflows
        QTest::newRow("4") << 4 << 2 << 12;
        QTest::newRow("5") << 5 << 2 << 16;
        QTest::newRow("stride overflows") << 715827883 << 1 << 0;
        QTest::newRow("size just over") << 46341 << 15447 << 0;
    }

    void sectionSizes()
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
    }

    // Upright, in its colours and of its size.
    void decodesToThePicture_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("quality");
        QTest::newRow("1 wide, 90") << 1 << 90;
        QTest::newRow("333 wide, 89") << 333 << 89;
    }

    void decodesToThePicture()
    {
        QFETCH(int, width);
        QFETCH(int, quality);
        // A screenshot-like picture: a flat half beside a gradient that runs down and across.
        QImage picture(width, 37, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(x, y, x < width / 2 ? qRgb(40, 90, 160) : qRgb(x * 255 / width, 200, y * 7));
        clsDIBSection dib;
        dib.CreateFromPicture(picture);
        const QImage decoded = QImage::fromData(JpegFileBytes(dib, quality), "JPEG");
        QCOMPARE(decoded.size(), picture.size());
        double difference = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb a = picture.pixel(x, y);
                const QRgb b = decoded.pixel(x, y);
                difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b));
            }
        const double mean = difference / (3.0 * picture.width() * picture.height());
        QVERIFY2(mean <= 3.0, qPrintable(QString::number(mean)));
    }

    // A file of that name is replaced only when the new one is whole, keeping its time and mode;
    // a read-only one is refused and kept, and an encoder failure is error 26001.
    void replacing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.jpg"), kept = dir.filePath("kept.jpg");
        TestLibrary::makeFile(path, "old contents");
        TestLibrary::makeFile(kept, "precious");
        const QDateTime yearAgo = QDateTime::currentDateTime().addYears(-1).addMSecs(-123);
        TestLibrary::setModified(path, yearAgo);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QFile::setPermissions(kept, QFile::ReadOwner | QFile::ReadGroup);
        clsDIBSection dib;
        dib.CreateFromPicture(QImage(16, 8, QImage::Format_RGB32));
        QVERIFY(WriteJpegFile(dib, path, 90));
        QCOMPARE(QFileInfo(path).lastModified(), yearAgo);
        const QFile::Permissions ownerGroupOther(0x7077); // the user bits depend on who runs the test
        QCOMPARE(QFileInfo(path).permissions() & ownerGroupOther,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(QImage(path).size(), QSize(16, 8));
        for (const auto& [target, quality] : {std::pair{kept, 90}, std::pair{path, 300}}) {
            try {
                WriteJpegFile(dib, target, quality);
                QFAIL("no error");
            } catch (const JpegError& error) {
                QCOMPARE(error.number() == 26001, quality == 300);
            }
        }
        QCOMPARE(TestLibrary::contents(kept), "precious");
        QCOMPARE(QImage(path).size(), QSize(16, 8));
        QCOMPARE(TestLibrary::filesIn(dir.path()), (QStringList{"kept.jpg", "old.jpg"}));
    }
};

QTEST_GUILESS_MAIN(tst_JpegWriter)
#include "tst_JpegWriter.moc"
