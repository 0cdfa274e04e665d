#include "capture/CaptureTick.h"
#include "core/AppState.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr short down = static_cast<short>(0x8000);
constexpr short tapped = static_cast<short>(0x8001);
constexpr int keyA = 'A';
constexpr int keyT = 'T';
} // namespace

class tst_CaptureTick : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    AppState m_state;
    bool m_setShown = true;

    void tick()
    {
        CaptureTick(m_state, m_fakes->services, {[this] { return m_setShown; }, {}});
    }
    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            tick();
    }
    QString setFolder() const { return m_state.libraryRoot + "Cat/Set/"; }
    QStringList filesInSet() const { return QDir(setFolder()).entryList(QDir::Files, QDir::Name); }
    QStringList soundsPlayed()
    {
        QStringList names;
        for (const QString& path : m_fakes->sound.played)
            names.append(path.mid(m_dir->path().size()));
        m_fakes->sound.played.clear();
        return names;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
        m_state = AppState();
        m_state.programDir = m_dir->path() + "/";
        m_state.libraryRoot = m_dir->path() + "/Vistrelles/";
        m_state.currentCategory = "Cat";
        m_state.currentImageSet = "Set";
        m_state.captureExtension = ".jpg";
        m_state.jpegQuality = 90;
        m_setShown = true;
        TestLibrary::makeFolder(setFolder());
        for (const char* sound : {"Vistrelle.wav", "VistrelleOn.wav", "VistrelleOff.wav"})
            TestLibrary::makeFile(m_dir->filePath(sound), "RIFF");
        m_fakes->grab.window = QImage(30, 20, QImage::Format_RGB32);
        m_fakes->grab.window.fill(Qt::darkCyan);
    }

    void modifierTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<short>("control");
        QTest::addColumn<short>("shift");
        QTest::addColumn<bool>("fires");
        QTest::newRow("0, none") << 0 << short(0) << short(0) << true;
        QTest::newRow("0, CTRL") << 0 << down << short(0) << false;
        QTest::newRow("0, SHIFT pressed since") << 0 << short(0) << short(1) << false;
        QTest::newRow("1, CTRL tapped") << 1 << tapped << short(0) << true;
        QTest::newRow("1, CTRL+SHIFT") << 1 << down << down << false;
        QTest::newRow("1, none") << 1 << short(0) << short(0) << false;
        QTest::newRow("1, CTRL, SHIFT pressed since") << 1 << down << short(1) << false;
        QTest::newRow("2, SHIFT") << 2 << short(0) << down << true;
        QTest::newRow("3, CTRL+SHIFT") << 3 << down << down << true;
        QTest::newRow("3, CTRL") << 3 << down << short(0) << false;
        QTest::newRow("7 is 0, SHIFT") << 7 << short(0) << down << false;
    }

    void modifierTable()
    {
        QFETCH(int, code);
        QFETCH(short, control);
        QFETCH(short, shift);
        QFETCH(bool, fires);
        m_fakes->keys.states = {{keyA, down}, {17, control}, {16, shift}};
        QCOMPARE(HotkeyDown(m_fakes->keys, keyA, code), fires);
        QVERIFY(!HotkeyDown(m_fakes->keys, 0, code));
    }

    // A failing shot keeps the picture and is told once: a lasting failure is not told again
    // until a shot succeeds, and no tick runs inside the box.
    void failureIsToldOnceAndKeepsThePicture()
    {
        QDir(m_state.libraryRoot + "Cat").removeRecursively();
        m_fakes->clipboard.setImage(m_fakes->grab.window);
        ticks(5);
        QCOMPARE(m_fakes->boxes.shown.size(), 1);
        QVERIFY(m_fakes->clipboard.hasImage());
        TestLibrary::makeFolder(m_state.libraryRoot + "Cat");
        m_state.currentImageSet = "Other";
        tick();
        QVERIFY(QFile::exists(m_state.libraryRoot + "Cat/Other/Image_040417_155228.jpg"));
        QVERIFY(!m_fakes->clipboard.hasImage());

        m_setShown = false; // the picture is dropped; one copied meanwhile waits for the next tick
        m_fakes->clipboard.setImage(m_fakes->grab.window);
        m_fakes->boxes.whileShown = [this] {
            m_fakes->clipboard.setImage(m_fakes->grab.window);
            tick();
        };
        tick();
        QCOMPARE(m_fakes->boxes.shown.size(), 2);
        QVERIFY(m_fakes->clipboard.hasImage());
    }

    void activeWindowHotkeyCapturesAtEveryTickItIsHeld()
    {
        m_state.activeWindowHotkey = keyA;
        m_state.activeWindowModifiers = 1;
        m_fakes->keys.press(keyA);
        m_fakes->keys.press(17);
        ticks(2);
        QCOMPARE(m_fakes->clock.slept, (QList<int>{100, 100}));
        QCOMPARE(filesInSet(), (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QCOMPARE(QImage(setFolder() + filesInSet().first()).size(), QSize(30, 20));
        QCOMPARE(soundsPlayed(), (QStringList{"/Vistrelle.wav", "/Vistrelle.wav"}));
        m_fakes->grab.window = QImage();
        tick();
        QCOMPARE(filesInSet().size(), 2);
        QVERIFY(m_fakes->boxes.shown.isEmpty());
    }

    void timeLapse_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("with sound") << false;
        QTest::newRow("silent") << true;
    }

    void timeLapse()
    {
        QFETCH(bool, silent);
        m_state.timeLapseHotkey = keyT;
        m_state.timeLapseModifiers = 2;
        m_state.timeLapseSeconds = 5;
        m_state.timeLapseSilent = silent;
        const QStringList shotSound = silent ? QStringList() : QStringList{"/Vistrelle.wav"};

        m_fakes->keys.press(keyT);
        m_fakes->keys.press(16);
        tick();
        m_fakes->keys.releaseAll();
        QCOMPARE(m_fakes->clock.slept, (QList<int>{1000, 100}));
        QCOMPARE(filesInSet(), QStringList{"Image_040417_155228_Time_Lapsed.jpg"});
        QCOMPARE(soundsPlayed(), QStringList{"/VistrelleOn.wav"} + shotSound);

        m_fakes->clock.time = m_fakes->clock.time.addSecs(6);
        ticks(49);
        QCOMPARE(m_fakes->grab.grabs, 1);
        tick();
        QCOMPARE(filesInSet().last(), "Image_040417_155234_Time_Lapsed.jpg");
        soundsPlayed();

        // A picture from elsewhere while time-lapse runs is an ordinary shot with its sound.
        m_fakes->clipboard.setImage(m_fakes->grab.window);
        tick();
        QCOMPARE(soundsPlayed(), QStringList{"/Vistrelle.wav"});
        QVERIFY(filesInSet().contains("Image_040417_155234.jpg"));

        m_fakes->keys.press(keyT);
        m_fakes->keys.press(16);
        tick();
        m_fakes->keys.releaseAll();
        QCOMPARE(soundsPlayed(), QStringList{"/VistrelleOff.wav"});
        ticks(60);
        QCOMPARE(m_fakes->grab.grabs, 2);
    }

    void timeLapseWithoutInterval()
    {
        m_state.timeLapseHotkey = keyT;
        m_fakes->keys.press(keyT);
        tick();
        m_fakes->keys.releaseAll();
        QCOMPARE(soundsPlayed(), QStringList{"/VistrelleOff.wav"});
        QCOMPARE(m_fakes->clock.slept, QList<int>{1000});
        m_state.timeLapseActive = true; // an interval cleared while it runs takes no shots
        ticks(10);
        QCOMPARE(m_fakes->grab.grabs, 0);
    }
};

QTEST_MAIN(tst_CaptureTick)
#include "tst_CaptureTick.moc"
