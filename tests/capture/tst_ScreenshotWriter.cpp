#include "capture/ScreenshotWriter.h"
#include "core/AppState.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

class tst_ScreenshotWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    AppState m_state;

    QString setFolder() const { return m_state.libraryRoot + "Cat/Set/"; }
    QStringList filesInSet() const { return TestLibrary::filesIn(setFolder()); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
        m_state = AppState();
        m_state.libraryRoot = m_dir->path() + "/Vistrelles/";
        m_state.currentCategory = "Cat";
        m_state.currentImageSet = "Set";
        m_state.captureExtension = ".jpg";
        m_state.jpegQuality = 90;
        TestLibrary::makeFolder(setFolder());
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(qRgb(250, 250, 250));
        m_fakes->clipboard.setImage(picture);
    }

    void takenNames_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("onDisk");
        QTest::addColumn<QString>("written");
        QTest::newRow("free, set folder missing")
            << QStringList() << QStringList() << "Image_040417_155228.jpg";
        QTest::newRow("listed in other case")
            << QStringList{"IMAGE_040417_155228.JPG"} << QStringList() << "Image_040417_155228_2.jpg";
        QTest::newRow("on disk, not listed")
            << QStringList() << QStringList{"Image_040417_155228.jpg"} << "Image_040417_155228_2.jpg";
        QTest::newRow("listed and on disk")
            << QStringList{"Image_040417_155228.jpg"} << QStringList{"Image_040417_155228_2.jpg"}
            << "Image_040417_155228_3.jpg";
    }

    void takenNames()
    {
        QFETCH(QStringList, listed);
        QFETCH(QStringList, onDisk);
        QFETCH(QString, written);
        if (listed.isEmpty() && onDisk.isEmpty())
            QDir(setFolder()).removeRecursively();
        for (const QString& name : listed)
            m_state.imageSetFiles.append(setFolder() + name);
        for (const QString& name : onDisk)
            TestLibrary::makeFile(setFolder() + name, "another program's file");
        QVERIFY(SaveScreenshot(m_state, m_fakes->services));
        QVERIFY(QFile::exists(setFolder() + written));
        QCOMPARE(QImage(setFolder() + written).size(), QSize(64, 48));
        for (const QString& name : onDisk)
            QCOMPARE(TestLibrary::contents(setFolder() + name), "another program's file");
        QCOMPARE(filesInSet().size(), onDisk.size() + 1);
        QVERIFY(m_fakes->boxes.shown.isEmpty());
    }

    void bitmapFormatWritesA24BitBitmap()
    {
        m_state.captureExtension = ".bmp";
        m_state.captureSuffix = "_Time_Lapsed";
        QVERIFY(SaveScreenshot(m_state, m_fakes->services));
        const QString path = setFolder() + "Image_040417_155228_Time_Lapsed.bmp";
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(30);
        QCOMPARE(header.left(2), "BM");
        QCOMPARE(header.at(28), 24);
        QCOMPARE(QImage(path).pixel(10, 10), qRgb(250, 250, 250));
    }

    void failuresAreReportedAndLeaveNothing_data()
    {
        QTest::addColumn<int>("breakage");
        QTest::addColumn<QString>("message");
        QTest::newRow("category gone") << 0
                                       << "An error has occurred while creating image file.  Error 2\n\n"
                                          "No such file or directory: ";
        QTest::newRow("unreadable picture")
            << 2
            << "An error has occurred while creating image file.  Error 481\n\n"
               "The picture on the clipboard cannot be read.";
        QTest::newRow("quality out of range") << 3
                                              << "An error has occurred while creating image file.  "
                                                 "Error 26001\n\nFailed to save to JPG -1 (";
    }

    void failuresAreReportedAndLeaveNothing()
    {
        QFETCH(int, breakage);
        QFETCH(QString, message);
        if (breakage == 0)
            QDir(m_state.libraryRoot + "Cat").removeRecursively();
        else if (breakage == 2)
            m_fakes->clipboard.picture = QImage();
        else
            m_state.jpegQuality = 300;
        QVERIFY(!SaveScreenshot(m_state, m_fakes->services));
        QCOMPARE(m_fakes->boxes.shown.size(), 1);
        QVERIFY2(m_fakes->boxes.shown.first().text.startsWith(message),
                 qPrintable(m_fakes->boxes.texts().first()));
        QCOMPARE(m_fakes->boxes.shown.first().look, BoxLook::Exclamation);
        if (breakage >= 2)
            QVERIFY(filesInSet().isEmpty());
    }
};

QTEST_MAIN(tst_ScreenshotWriter)
#include "tst_ScreenshotWriter.moc"
