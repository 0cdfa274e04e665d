#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmImage.h"
#include "ui/viewers/frmPhotos.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <memory>

using namespace TestLibrary;

// Files that are not what their extension says, among good ones: the file list, the viewer,
// the info line and the thumbnail viewer stay usable and show the good pictures.
class tst_BadFiles : public QObject
{
    Q_OBJECT

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A small real JPEG whose frame header claims 65000 x 65000 pixels.
    static QByteArray hugeJpeg(const QString& scratch)
    {
        QByteArray bytes = readAll(makeImage(scratch, QSize(16, 16)));
        const qsizetype frame = bytes.indexOf("\xff\xc0");
        if (frame < 0)
            return {};
        qToBigEndian<quint16>(65000, bytes.data() + frame + 5);
        qToBigEndian<quint16>(65000, bytes.data() + frame + 7);
        return bytes;
    }
    // The headers of a 24-bit bitmap of 60000 x 60000 pixels, and no pixels.
    static QByteArray hugeBitmap()
    {
        QByteArray bytes(54, '\0');
        bytes[0] = 'B';
        bytes[1] = 'M';
        qToLittleEndian<quint32>(54 + 60000u * 180000u, bytes.data() + 2);
        qToLittleEndian<quint32>(54, bytes.data() + 10);
        qToLittleEndian<quint32>(40, bytes.data() + 14);
        qToLittleEndian<qint32>(60000, bytes.data() + 18);
        qToLittleEndian<qint32>(60000, bytes.data() + 22);
        qToLittleEndian<quint16>(1, bytes.data() + 26);
        qToLittleEndian<quint16>(24, bytes.data() + 28);
        return bytes;
    }

    template <typename T> T* control(const char* name) const
    {
        return m_app->mainWindow()->findChild<T*>(QLatin1String(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<VistrelleApp> m_app;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
    }
    void cleanup()
    {
        m_app.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void badFileAmongGoodOnes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg =
            readAll(makeImage(QDir::temp().filePath("tst_BadFiles.jpg"), QSize(200, 100)));
        QTest::newRow("zero bytes") << "b empty.jpg" << QByteArray();
        QTest::newRow("truncated JPEG") << "b cut.jpg" << jpeg.left(jpeg.size() / 2);
        QTest::newRow("text named .bmp") << "b text.bmp" << QByteArray("just some text\n");
        QTest::newRow("JPEG claiming 65000 x 65000")
            << "b huge.jpg" << hugeJpeg(QDir::temp().filePath("tst_BadFiles16.jpg"));
        QTest::newRow("bitmap claiming 60000 x 60000") << "b huge.bmp" << hugeBitmap();
        QTest::newRow("folder named .jpg") << "b folder.jpg" << QByteArray("(folder)");
    }

    void badFileAmongGoodOnes()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const QString set = m_dir->path() + "/Vistrelles/Default Category/Default Image Set/";
        makeImage(set + "a good.jpg", QSize(40, 30));
        makeImage(set + "c good.bmp", QSize(30, 40));
        if (bytes == "(folder)")
            makeFolder(set + name);
        else
            makeFile(set + name, bytes);
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), QStringList());
        QVERIFY(m_app->start());

        auto* list = control<QListWidget>("lstComponents");
        QStringList lines;
        for (int row = 0; row < list->count(); ++row)
            lines.append(list->item(row)->text());
        const bool listed = bytes != "(folder)";
        const QStringList expected =
            listed ? QStringList{"a good.jpg", name, "c good.bmp"} : QStringList{"a good.jpg", "c good.bmp"};
        QCOMPARE(lines, expected);

        frmImage& viewer = m_app->imageViewer();
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        auto* info = control<QLabel>("lblImageInfo");
        QCOMPARE(box->picture().size(), QSize(40, 30));
        if (listed) {
            list->setCurrentRow(1);
            QCOMPARE(box->toolTip(), name);
            QCOMPARE(box->picture().size(), QSize(40, 30));
            QVERIFY2(info->text().endsWith(QString("  (%1KB)").arg(bytes.size() / 1024)),
                     qPrintable(info->text()));
        }
        // Stepping on from the bad file reaches the next good one.
        viewer.findChild<QAction*>("mnuImgNext")->trigger();
        QCOMPARE(box->toolTip(), "c good.bmp");
        QCOMPARE(box->picture().size(), QSize(30, 40));

        // The thumbnail viewer shows every listed file; the good ones as pictures.
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto* photos = qobject_cast<frmPhotos*>(QApplication::activeModalWidget());
            if (!photos)
                return;
            for (ImageBox* cell : photos->findChildren<ImageBox*>("imgPhoto"))
                if (cell->isVisibleTo(photos))
                    shown.append(cell->toolTip());
            photos->reject();
        });
        QTest::mouseClick(control<QPushButton>("cmdPhotosBySet"), Qt::LeftButton);
        shown.sort();
        QCOMPARE(shown, lines);
        QCOMPARE(m_fakes->boxes.texts(), QStringList());
    }
};

QTEST_MAIN(tst_BadFiles)
#include "tst_BadFiles.moc"
