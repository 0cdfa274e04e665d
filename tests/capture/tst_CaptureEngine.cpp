#include "capture/CaptureEngine.h"
#include "core/AppState.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace TestLibrary;

// The engine against a clipboard that other programs keep changing: every picture filed once,
// in the order copied, and nothing cleared that was not filed.
class tst_CaptureEngine : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    AppState m_state;
    std::unique_ptr<CaptureEngine> m_engine;
    QStringList m_filed; // names, in the order filed

    QString setFolder() const { return m_state.libraryRoot + "Cat/Set/"; }
    static QImage picture(int shade)
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(qRgb(shade, 255 - shade, 90));
        return image;
    }
    void copy(int shade) { m_fakes->clipboard.setImage(picture(shade)); }
    QColor shadeOf(const QString& name) const { return QImage(setFolder() + name).pixelColor(10, 10); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
        m_state = AppState();
        m_state.libraryRoot = m_dir->path() + "/Vistrelles/";
        m_state.currentCategory = "Cat";
        m_state.currentImageSet = "Set";
        makeFolder(setFolder());
        m_engine = std::make_unique<CaptureEngine>(m_state, m_fakes->services, m_fakes->worker);
        m_filed.clear();
        connect(m_engine.get(), &CaptureEngine::filed, this,
                [this](const QString& path) { m_filed.append(path.mid(setFolder().size())); });
    }

    // A second picture copied while the first is still being written is not cleared away with
    // the first: it is fetched and filed in turn.
    void pictureArrivingMidWriteIsKept()
    {
        m_fakes->worker.holding = true;
        copy(10);
        m_engine->check();
        copy(200);
        QVERIFY(m_fakes->worker.finish());
        QVERIFY2(m_fakes->clipboard.hasImage(), "the second picture was cleared unfiled");
        m_engine->check();
        QVERIFY(m_fakes->worker.finish());
        QCOMPARE(m_filed, (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QCOMPARE(shadeOf(m_filed.at(1)).red(), 200);
        QVERIFY(!m_fakes->clipboard.hasImage());
    }

    // Each change is fetched once, however often it is looked at, also while its owner keeps
    // the picture after the clearing.
    void oneFetchPerChange()
    {
        m_fakes->clipboard.keepsPicture = true;
        copy(10);
        for (int i = 0; i < 5; ++i)
            m_engine->check();
        QCOMPARE(m_fakes->clipboard.fetches, 1);
        QCOMPARE(m_filed.size(), 1);
    }

    // A clipboard manager that puts the cleared picture straight back is not answered with
    // another file and another clearing; the same picture copied again later is a new shot.
    void restoredPictureIsNotFiledAgain()
    {
        copy(10);
        m_engine->check();
        for (int restore = 0; restore < 3; ++restore) {
            m_fakes->clock.time = m_fakes->clock.time.addMSecs(50);
            copy(10);
            m_engine->check();
        }
        QCOMPARE(m_filed.size(), 1);
        QVERIFY2(m_fakes->clipboard.hasImage(), "the restored picture was cleared again");
        QCOMPARE(m_fakes->clipboard.changes, quint64(5)); // the copy, one clearing, three restores
        m_fakes->clock.time = m_fakes->clock.time.addSecs(1);
        copy(10);
        m_engine->check();
        QCOMPARE(m_filed, (QStringList{"Image_040417_155228.jpg", "Image_040417_155229.jpg"}));
        // Other pixels right after a clearing are a new picture too.
        copy(99);
        m_engine->check();
        QCOMPARE(m_filed.size(), 3);
    }

    // The Image Set is the one shown when the picture was fetched, even when the window
    // switches sets before the file is written.
    void targetFixedAtFetch()
    {
        makeFolder(m_state.libraryRoot + "Cat/Other");
        m_fakes->worker.holding = true;
        copy(10);
        m_engine->check();
        m_state.currentImageSet = "Other";
        QVERIFY(m_fakes->worker.finish());
        QCOMPARE(filesIn(setFolder()), QStringList{"Image_040417_155228.jpg"});
        QCOMPARE(filesIn(m_state.libraryRoot + "Cat/Other"), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_CaptureEngine)
#include "tst_CaptureEngine.moc"
