#include "capture/CaptureTick.h"
#include "core/AppState.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

using namespace TestLibrary;

// What happens around a capture: a disk that fills, files and folders that other programs
// make, move or remove between two ticks. Nothing may be lost and every failure is told.
class tst_CaptureFaults : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    AppState m_state;

    QString category() const { return m_state.libraryRoot + "Cat/"; }
    QString setFolder() const { return category() + "Set/"; }
    QStringList entries(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }
    void tick() { CaptureTick(m_state, m_fakes->services, {}); }
    // A noisy picture, so its file is far larger than a few kilobytes in either format.
    void putPicture(QSize size)
    {
        QImage picture(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
        m_fakes->clipboard.setImage(picture);
    }
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

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
        makeFolder(setFolder());
    }

    void writeFailingMidwayLosesNothing_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::newRow("jpeg") << ".jpg";
        QTest::newRow("bitmap") << ".bmp";
    }

    // The disk fills while the file is written: the process may write only 2 KB a file.
    void writeFailingMidwayLosesNothing()
    {
        QFETCH(QString, extension);
        m_state.captureExtension = extension;
        putPicture(QSize(320, 240));
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 2048;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        tick();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(
            m_fakes->boxes.texts(),
            QStringList{"An error has occurred while creating image file.  Error 27\n\nFile too large: " +
                        setFolder() + "Image_040417_155228" + extension});
        QVERIFY(m_fakes->clipboard.hasImage());
        QCOMPARE(entries(setFolder()), QStringList());

        // Once the disk has room, the next picture is filed whole.
        putPicture(QSize(320, 240));
        tick();
        QCOMPARE(m_fakes->boxes.shown.size(), 1);
        QVERIFY(!m_fakes->clipboard.hasImage());
        QCOMPARE(entries(setFolder()), QStringList{"Image_040417_155228" + extension});
        QCOMPARE(QImage(setFolder() + "Image_040417_155228" + extension).size(), QSize(320, 240));
    }

    // The clipboard's owner keeps the picture after it was filed: it is filed once.
    void pictureLeftOnTheClipboardIsFiledOnce()
    {
        m_fakes->clipboard.ignoresClear = true;
        putPicture(QSize(8, 8));
        tick();
        tick();
        QCOMPARE(entries(setFolder()), QStringList{"Image_040417_155228.jpg"});
        putPicture(QSize(8, 8));
        tick();
        tick();
        QCOMPARE(entries(setFolder()), (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QCOMPARE(m_fakes->boxes.texts(), QStringList());
    }

    void nameTakenSinceTheLastRefresh_data()
    {
        QTest::addColumn<QString>("intruder"); // what another program put under the next name
        QTest::newRow("file") << "file";
        QTest::newRow("link to nowhere") << "dangling";
        QTest::newRow("link to a file") << "link";
        QTest::newRow("folder") << "folder";
    }

    void nameTakenSinceTheLastRefresh()
    {
        QFETCH(QString, intruder);
        const QString taken = setFolder() + "Image_040417_155228.jpg";
        makeFile(m_dir->filePath("outside.txt"), "outside");
        if (intruder == "file")
            makeFile(taken, "another program's file");
        else if (intruder == "dangling")
            QVERIFY(QFile::link(m_dir->filePath("nowhere"), taken));
        else if (intruder == "link")
            QVERIFY(QFile::link(m_dir->filePath("outside.txt"), taken));
        else
            makeFile(taken + "/inside.txt", "inside");
        putPicture(QSize(64, 48));
        tick();

        QCOMPARE(m_fakes->boxes.texts(), QStringList());
        QVERIFY(!m_fakes->clipboard.hasImage());
        QCOMPARE(QImage(setFolder() + "Image_040417_155228_2.jpg").size(), QSize(64, 48));
        QCOMPARE(contents(m_dir->filePath("outside.txt")), "outside");
        if (intruder == "file")
            QCOMPARE(contents(taken), "another program's file");
        else if (intruder == "folder")
            QCOMPARE(contents(taken + "/inside.txt"), "inside");
        else
            QVERIFY(QFileInfo(taken).isSymLink());
    }

    void libraryChangedBehindTheProgramsBack_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message"); // empty: the picture is filed
        QTest::newRow("set deleted") << "delete set"
                                     << "";
        QTest::newRow("set renamed") << "rename set"
                                     << "";
        QTest::newRow("set replaced by a file")
            << "set is a file"
            << "An error has occurred while creating image file.  Error 20\n\nNot a directory: ";
        QTest::newRow("category replaced by a file")
            << "category is a file"
            << "An error has occurred while creating image file.  Error 20\n\nNot a directory: ";
        QTest::newRow("category renamed")
            << "rename category"
            << "An error has occurred while creating image file.  Error 2\n\nNo such file or directory: ";
    }

    void libraryChangedBehindTheProgramsBack()
    {
        QFETCH(QString, change);
        QFETCH(QString, message);
        makeImage(setFolder() + "kept.jpg", QSize(10, 10));
        const QString root = m_state.libraryRoot;
        if (change == "delete set") {
            QVERIFY(QDir(setFolder()).removeRecursively());
        } else if (change == "rename set") {
            QVERIFY(QDir().rename(setFolder(), category() + "Moved"));
        } else if (change == "rename category") {
            QVERIFY(QDir().rename(category(), root + "Moved"));
        } else {
            const QString replaced = change == "set is a file" ? setFolder() : category();
            QVERIFY(QDir().rename(replaced, root + "Moved"));
            makeFile(replaced.chopped(1), "not a folder");
        }
        putPicture(QSize(64, 48));
        tick();
        tick();

        if (message.isEmpty()) {
            QCOMPARE(m_fakes->boxes.texts(), QStringList());
            QVERIFY(!m_fakes->clipboard.hasImage());
            QCOMPARE(QImage(setFolder() + "Image_040417_155228.jpg").size(), QSize(64, 48));
        } else {
            QCOMPARE(m_fakes->boxes.shown.size(), 1);
            QVERIFY2(m_fakes->boxes.shown.first().text.startsWith(message),
                     qPrintable(m_fakes->boxes.shown.first().text));
            QVERIFY(m_fakes->clipboard.hasImage());
        }
        // What was in the library is still there, wherever it went.
        if (change == "delete set")
            return;
        const QString kept = change == "rename set"      ? category() + "Moved/kept.jpg"
                             : change == "set is a file" ? root + "Moved/kept.jpg"
                                                         : root + "Moved/Set/kept.jpg";
        QCOMPARE(QImage(kept).size(), QSize(10, 10));
        if (change.endsWith("is a file"))
            QCOMPARE(contents((change == "set is a file" ? setFolder() : category()).chopped(1)),
                     "not a folder");
    }
};

QTEST_MAIN(tst_CaptureFaults)
#include "tst_CaptureFaults.moc"
