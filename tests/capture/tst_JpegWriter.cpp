#include "capture/JpegWriter.h"
#include "capture/clsDIBSection.h"
#include "support/TestLibrary.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace TestLibrary;

// The 24-bit section the writers read in place, and the JPEG file written from it. Where its
// rows and colours go is checked by decoding the files the capture writes.
class tst_JpegWriter : public QObject
{
    Q_OBJECT

    // A screenshot-like picture: flat colours, text-like strokes and a gradient.
    static QImage testPicture(int width, int height)
    {
        QImage picture(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.setPixel(
                    x, y, x < width / 2 ? qRgb(40, 90, 160) : qRgb(x * 255 / width, 200, y * 255 / height));
        return picture;
    }

private slots:
    // Rows pad to four bytes; a size whose bytes overflow is refused with nothing allocated.
    void sectionSizes_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("stride"); // 0: overflows
        QTest::newRow("1") << 1 << 2 << 4;
        QTest::newRow("4") << 4 << 2 << 12;
        QTest::newRow("5") << 5 << 2 << 16;
        QTest::newRow("1366") << 1366 << 2 << 4100;
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
        QVERIFY(!dib.Create(0, 5)); // an empty size frees the old buffer
        QVERIFY(!dib.DIBSectionBitsPtr());
    }

    void decodesToThePicture_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("sampling"); // of luminance: 0x11 full chroma, 0x22 halved both ways
        QTest::addColumn<double>("tolerance");
        QTest::newRow("1 wide, 90") << 1 << 90 << 0x11 << 3.0;
        QTest::newRow("5 wide, 95") << 5 << 95 << 0x11 << 3.0;
        QTest::newRow("333 wide, 90") << 333 << 90 << 0x11 << 3.0;
        QTest::newRow("333 wide, 89") << 333 << 89 << 0x22 << 3.0;
        QTest::newRow("333 wide, 50") << 333 << 50 << 0x22 << 5.0;
    }

    void decodesToThePicture()
    {
        QFETCH(int, width);
        QFETCH(int, quality);
        QFETCH(int, sampling);
        QFETCH(double, tolerance);
        QTemporaryDir dir;
        const QImage picture = testPicture(width, 37);
        clsDIBSection dib;
        dib.CreateFromPicture(picture);
        const QString path = dir.filePath("shot.jpg");
        QVERIFY(WriteJpegFile(dib, path, quality));
        const QByteArray jpeg = contents(path);
        const qsizetype frame = jpeg.indexOf(QByteArray("\xff\xc0", 2));
        QCOMPARE(frame < 0 ? -1 : static_cast<unsigned char>(jpeg.at(frame + 11)), sampling);
        const QImage decoded(path);
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
        QVERIFY2(mean <= tolerance, qPrintable(QString::number(mean)));
    }

    // A file of that name is replaced keeping its time and mode, unless it is read-only.
    void replacing()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.jpg");
        const QString kept = dir.filePath("kept.jpg");
        makeFile(path, "old contents");
        makeFile(kept, "precious");
        const QDateTime yearAgo = QDateTime::currentDateTime().addYears(-1).addMSecs(-123);
        setModified(path, yearAgo);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QFile::setPermissions(kept, QFile::ReadOwner | QFile::ReadGroup);
        clsDIBSection dib;
        dib.CreateFromPicture(testPicture(16, 8));
        QVERIFY(WriteJpegFile(dib, path, 90));
        const QFileInfo info(path);
        QCOMPARE(info.lastModified(), yearAgo);
        const QFile::Permissions ownerGroupOther(0x7077); // the user bits depend on who runs the test
        QCOMPARE(info.permissions() & ownerGroupOther,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(QImage(path).size(), QSize(16, 8));
        try {
            WriteJpegFile(dib, kept, 90);
            QFAIL("a read-only file was replaced");
        } catch (const JpegError& error) {
            QCOMPARE(error.description(), "Permission denied");
            QCOMPARE(error.source(), "vistrelle.modIntelJPEGLibrary");
        }
        QCOMPARE(contents(kept), "precious");
        QCOMPARE(filesIn(dir.path()), (QStringList{"kept.jpg", "old.jpg"}));
    }
};

QTEST_GUILESS_MAIN(tst_JpegWriter)
#include "tst_JpegWriter.moc"
