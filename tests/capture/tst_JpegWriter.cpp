#include "capture/JpegWriter.h"
#include "capture/clsDIBSection.h"
#include "support/TestLibrary.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A screenshot-like picture: flat colours, text-like strokes and a gradient.
QImage testPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(
                x, y, x < width / 2 ? qRgb(40, 90, 160) : qRgb(x * 255 / width, 200, y * 255 / height));
    return picture;
}

/// The luminance sampling factors of the first frame header: 0x11 for full chroma, 0x22 for
/// chroma halved both ways.
int lumaSampling(const QByteArray& jpeg)
{
    const int frame = jpeg.indexOf(QByteArray("\xff\xc0", 2));
    return frame < 0 ? -1 : static_cast<unsigned char>(jpeg.at(frame + 11));
}

} // namespace

class tst_JpegWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void decodesToThePicture_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("sampling");
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
        const QImage picture = testPicture(width, 37);
        clsDIBSection dib;
        dib.CreateFromPicture(picture);
        const QString path = m_dir->filePath("shot.jpg");
        QVERIFY(WriteJpegFile(dib, path, quality));
        QCOMPARE(lumaSampling(TestLibrary::contents(path)), sampling);
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
        QCOMPARE(TestLibrary::filesIn(m_dir->path()), QStringList{"shot.jpg"});
    }

    // A file of that name is replaced keeping its time and mode, unless it is read-only.
    void replacing()
    {
        const QString path = m_dir->filePath("old.jpg");
        const QString kept = m_dir->filePath("kept.jpg");
        TestLibrary::makeFile(path, "old contents");
        TestLibrary::makeFile(kept, "precious");
        const QDateTime yearAgo = QDateTime::currentDateTime().addYears(-1).addMSecs(-123);
        TestLibrary::setModified(path, yearAgo);
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
        QCOMPARE(TestLibrary::contents(kept), "precious");
        QCOMPARE(TestLibrary::filesIn(m_dir->path()), (QStringList{"kept.jpg", "old.jpg"}));
    }
};

QTEST_GUILESS_MAIN(tst_JpegWriter)
#include "tst_JpegWriter.moc"
