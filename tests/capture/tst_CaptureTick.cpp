#include "capture/CaptureEngine.h"
#include "capture/CapturePause.h"
#include "capture/CaptureSpool.h"
#include "capture/CaptureTick.h"
#include "capture/SpoolTicket.h"
#include "core/AppState.h"
#include "platform/ClipboardOffer.h"
#include "support/FakeCaptureWorker.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <utility>

using namespace TestLibrary;

constexpr short down = static_cast<short>(0x8000), tapped = static_cast<short>(0x8001);

// The timer's tick: hotkeys, time-lapse, and the picture on the clipboard filed into the Image
// Set while other programs fill the disk, change the library or keep changing the clipboard.
// Nothing may be lost or filed twice, no file replaced, and every failure is told once.
class tst_CaptureTick : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<FakeCaptureWorker> m_worker;
    AppState m_state;
    std::unique_ptr<CaptureEngine> m_engine;
    QStringList m_told; // what the user was told

    void tick(int count = 1)
    {
        while (count-- > 0) {
            CaptureTick(m_state, m_fakes->services, *m_engine);
            QCoreApplication::processEvents(); // the pictures on their way arrive, and are filed
        }
    }
    void held(std::initializer_list<int> keys) // down for one tick
    {
        for (const int key : keys)
            m_fakes->keys.press(key);
        tick();
        m_fakes->keys.releaseAll();
    }
    QString setFolder() const { return m_state.libraryRoot + "Cat/Set/"; }
    // The writer names the first held picture and makes its file, or only begins to, as the
    // program is killed: the spool has not let it go.
    void killedWhileFiling(bool made)
    {
        ScreenshotJob job = m_worker->held.first().first;
        const std::shared_ptr<SpoolTicket> ticket = std::exchange(job.spooled, nullptr);
        const QString path = setFolder() + ScreenshotName(job.when, 1, job.suffix, job.extension);
        if (made)
            QCOMPARE(WriteScreenshot(job).path, path);
        ticket->naming(path);
    }
    QStringList filesInSet() const { return filesIn(setFolder()); } // hidden ones too: no half-written file
    QStringList soundsPlayed() const
    {
        return QStringList(m_fakes->sound.played).replaceInStrings(m_dir->path(), QString());
    }

private slots:
    void init()
    {
        m_engine.reset(); // before what it uses
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
        m_worker = std::make_unique<FakeCaptureWorker>();
        m_state = AppState();
        m_state.programDir = m_dir->path() + "/";
        m_state.libraryRoot = m_dir->path() + "/Vistrelles/";
        m_state.currentCategory = "Cat";
        m_state.currentImageSet = "Set";
        m_state.settings.activeWindowHotkey = 'A';
        m_state.settings.timeLapseHotkey = 'T';
        m_state.settings.timeLapseSeconds = 5;
        m_engine = std::make_unique<CaptureEngine>(m_state, m_fakes->services, *m_worker);
        m_told.clear();
        connect(m_engine.get(), &CaptureEngine::told, this,
                [this](const Outcome& outcome) { m_told.append(outcome.text); });
        makeFolder(setFolder());
        for (const char* sound : {"Vistrelle.wav", "VistrelleOn.wav", "VistrelleOff.wav"})
            makeFile(m_dir->filePath(sound), "RIFF");
        m_fakes->grab.window = QImage(30, 20, QImage::Format_RGB32);
        m_fakes->grab.window.fill(Qt::darkCyan);
    }

    // For each modifier code, whether the held hotkey fires with: none, CTRL tapped, SHIFT,
    // CTRL+SHIFT, CTRL with SHIFT pressed since the last look, SHIFT pressed since alone, ALT,
    // CTRL+ALT, all three; and as the press saw them: ALT, CTRL+ALT (SHIFT held now).
    void modifierTable()
    {
        struct Held
        {
            short control, shift, alt;
            std::optional<int> atPress;
        };
        const QList<Held> modifiers{{0, 0, 0, {}},       {tapped, 0, 0, {}},  {0, down, 0, {}},
                                    {down, down, 0, {}}, {down, 1, 0, {}},    {0, 1, 0, {}},
                                    {0, 0, down, {}},    {down, 0, down, {}}, {down, down, down, {}},
                                    {0, 0, 0, 4},        {0, down, 0, 5}};
        QStringList fired;
        for (int code : {0, 1, 2, 3, 4, 5, 7, 8}) {
            fired.append(QString::number(code) + ": ");
            for (const auto& [control, shift, alt, atPress] : modifiers) {
                m_fakes->keys.states = {{17, control}, {16, shift}, {18, alt}};
                m_fakes->keys.pressedWith.clear();
                if (atPress)
                    m_fakes->keys.pressedWith.insert('A', *atPress);
                fired.last() += HotkeyDown(m_fakes->keys, 'A', down, code) ? '1' : '0';
            }
        }
        QCOMPARE(fired,
                 (QStringList{"0: 10000000000", "1: 01000000000", "2: 00100000000", "3: 00010000000",
                              "4: 00000010010", "5: 00000001001", "7: 00000000100", "8: 10000000000"}));
    }

    void timeLapse()
    {
        // On the active window's own key with Alt (Print and Alt+Print), a tap between two ticks
        // starts time-lapse and is no active-window capture.
        m_state.settings.timeLapseHotkey = 'A';
        m_state.settings.timeLapseModifiers = 4;
        m_fakes->keys.tap('A');
        m_fakes->keys.pressedWith.insert('A', 4);
        tick();
        m_fakes->keys.pressedWith.clear();
        m_state.settings.timeLapseHotkey = 'T';
        m_state.settings.timeLapseModifiers = 2;
        QCOMPARE(m_fakes->clock.slept, QList<int>{1000});
        tick(49);
        QCOMPARE(m_fakes->grab.grabs, 1);
        tick();
        QCOMPARE(m_fakes->grab.grabs, 2);

        // A picture from elsewhere while time-lapse runs is an ordinary shot with its sound. The
        // desktop's time-lapse command stops it as the hotkey would: the end-to-end command test.
        m_fakes->clipboard.setImage(m_fakes->grab.window.scaled(8, 8));
        tick();
        QVERIFY(filesInSet().contains("Image_040417_155228.jpg"));
        held({'T', 16});

        // Silent, its shots make no sound; an interval cleared while it runs takes no shots
        // rather than one at every tick. Without an interval the hotkey stops it, then only says no.
        m_state.settings.timeLapseSilent = true;
        held({'T', 16});
        m_state.settings.timeLapseSeconds = 0;
        tick(60);
        QCOMPARE(m_fakes->grab.grabs, 3);
        held({'T', 16});
        held({'T', 16});
        // The worker's buffers, kept while shots come, go back once it has been quiet for a second.
        QCOMPARE(m_worker->released, 0);
        QTRY_COMPARE(m_worker->released, 1);
        QCOMPARE(soundsPlayed(), (QStringList{"/VistrelleOn.wav", "/Vistrelle.wav", "/Vistrelle.wav",
                                              "/Vistrelle.wav", "/VistrelleOff.wav", "/VistrelleOn.wav",
                                              "/VistrelleOff.wav", "/VistrelleOff.wav"}));
    }

    // The active-window hotkey, and the shortcuts the desktop or a second start hand over,
    // capture at every tick they are held; a press between two ticks, once; the window as it was
    // grabbed, with its sound, also as a bitmap written in the buffers a burst of JPEGs left. One
    // question at a time goes to a desktop that answers later. A hotkey or shortcut tapped while
    // capturing is paused is not taken up on resuming (time-lapse would start with a capture).
    // While the desktop takes its time (a grab that runs the event loop, as a nested wait for a
    // portal's answer would), no tick runs inside the tick that asked, though the heartbeat's
    // timer fires meanwhile: it would take up the taps the asking tick has yet to look at. A
    // window's picture never touches the clipboard; while no Image Set is shown it is kept, told
    // once, and filed (clicking again) once one is. (Time-lapse's name on a picture the desktop
    // gives later: the end-to-end GNOME test.)
    // Steps: . a tick, h the hotkey held for a tick, k tapped, T the time-lapse hotkey tapped, b
    // the next shots bitmaps of a larger window, p the shortcut pressed, r released, t tapped (a
    // command), l the time-lapse command; w the desktop answers later from now, a it answers, n it
    // has no window to give, y it gives a reason (with a window: the whole screen), q it asks the
    // user first, c the user has read what the question is about, N a tick comes while the
    // desktop is asked; P paused, R resumed; x no Image Set shown, S the Image Set shown again.
    void activeWindow_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<int>("grabs");
        QTest::addColumn<QStringList>("told"); // or asked
        const QStringList none, one{"Image_040417_155228.jpg"}, two{one.first(), "Image_040417_155228_2.jpg"};
        QTest::newRow("a command twice between ticks, held again") << "tt..p.pr." << two << 2 << none;
        QTest::newRow("a bitmap in the buffers of a burst")
            << "hhbh" << QStringList{"Image_040417_155228.bmp", one.first(), two.last()} << 3 << none;
        QTest::newRow("the desktop asks first, once the user has read why")
            << "wqhhh.c" << one << 1 << QStringList{"Allow?"};
        QTest::newRow("tapped while paused") << "PkTtl..R..h" << one << 1 << none;
        QTest::newRow("a tick while the desktop is asked")
            << "NkT." << QStringList{one.first(), "Image_040417_155228_Time_Lapsed.jpg"} << 2 << none;
        QTest::newRow("paused before the answer; no window: silent") << "whPaR.nh.ah.a" << none << 3 << none;
        QTest::newRow("refused: told once, nothing filed")
            << "wnyh.ah.ah.a" << none << 3
            << QStringList{"The active window was not captured.  The desktop refuses."};
        QTest::newRow("time-lapse without an Image Set")
            << "xl.S." << QStringList{"Image_040417_155228_Time_Lapsed.jpg"} << 1
            << QStringList{
                   "Please select an image set first.  The picture is kept until an image set is shown."};
        QTest::newRow("the screen instead: filed, and why told once")
            << "wyh.ah.a" << two << 2
            << QStringList{"The whole screen was filed, not the active window.  The desktop refuses."};
    }

    void activeWindow()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, files);
        QFETCH(int, grabs);
        QFETCH(QStringList, told);
        connect(&m_engine->window(), &WindowCapture::asking, this,
                [this](const QString& text) { m_told.append(text); });
        FakeScreenGrab& grab = m_fakes->grab;
        const QHash<QChar, std::function<void()>> act{
            {'.', [this] { tick(); }},
            {'h', [this] { held({'A'}); }},
            {'k', [this] { m_fakes->keys.tap('A'); }},
            {'T', [this] { m_fakes->keys.tap('T'); }},
            {'p', [this] { m_fakes->shortcuts.press(Shortcut::ActiveWindow); }},
            {'r', [this] { m_fakes->shortcuts.release(Shortcut::ActiveWindow); }},
            {'t', [this] { m_fakes->shortcuts.tap(Shortcut::ActiveWindow); }},
            {'l', [this] { m_fakes->shortcuts.tap(Shortcut::TimeLapse); }},
            {'b',
             [&] {
                 m_state.settings.captureExtension = ".bmp";
                 grab.window = grab.window.scaled(40, 30);
             }},
            {'w', [&] { grab.answersLater = true; }},
            {'a', [&] { grab.answer(); }},
            {'n', [&] { grab.window = QImage(); }},
            {'y', [&] { grab.why = "The desktop refuses."; }},
            {'q', [&] { grab.asks = "Allow?"; }},
            {'c', [this] { m_engine->window().carryOn(); }},
            {'N', [&] { grab.whileGrabbing = [this] { tick(); }; }},
            {'P', [this] { SetCapturePaused(m_state, m_fakes->services, *m_engine, true); }},
            {'R', [this] { SetCapturePaused(m_state, m_fakes->services, *m_engine, false); }},
            {'x', [this] { m_state.currentImageSet.clear(); }},
            {'S', [this] { m_state.currentImageSet = "Set"; }}};
        for (const QChar step : steps)
            act.value(step)();
        QTRY_COMPARE(filesInSet(), files);
        QCOMPARE(grab.grabs, grabs);
        QCOMPARE(m_told, told);
        QCOMPARE(m_fakes->clipboard.changes, quint64(0)); // the clipboard left alone
        QCOMPARE(soundsPlayed().count("/Vistrelle.wav"), files.size() + steps.count('S'));
        QVERIFY(files.isEmpty() || QImage(setFolder() + files.first()).size() == grab.window.size());
    }

    // A failing write, or no Image Set shown, keeps the picture, leaves no file and is told once.
    // Once the cause is gone, the picture is filed whole at the next look, without being copied
    // again and without another message: a folder problem mended (the Category back, a file
    // standing where the set was taken away; the set moved away as the picture was written: the
    // capture simulation) is seen by the tick itself; anything else (the disk filling midway: the
    // process may write only 2 KB a file) waits for the user's Refresh, and a Refresh that fails
    // again tells nothing new. The window active when
    // it was copied goes to whoever is told of the file, and into the file's own text when the
    // user asked for it and the type has a place for it. The picture is kept meanwhile: it is
    // filed the same way when its program has exited since (handing it over), and when text was
    // copied since, which stays on the clipboard. The user copying the same picture again once
    // the cause is gone is a new copy, filed (a failure leaves nothing to know it by), and the
    // picture kept is then not filed a second time.
    void filedOnceTheCauseIsGone_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<bool>("asked"); // for the window's title in the file
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("told"); // %1 the Image Set's folder
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>(
            "after"); // after the failure: its program exits, text or the picture is copied
        const QString title = "Résumé: draft – Editor";
        const QString error = "An error has occurred while creating image file.  Error ";
        const QString full = error + "27\n\nFile too large: %1Image_040417_155228";
        QTest::newRow("Category gone, title not asked for, its program gone")
            << "category" << false << ".jpg" << error + "2\n\nNo such file or directory: %1" << QString()
            << "leaves";
        QTest::newRow("a file where the set was, text copied since")
            << "file" << true << ".png" << error + "20\n\nNot a directory: %1" << title << "text";
        QTest::newRow("no Image Set shown")
            << "no set" << true << ".png"
            << "Please select an image set first.  The picture stays on the clipboard until an image set "
               "is shown."
            << title << "";
        QTest::newRow("disk full, JPEG, copied again")
            << "limit" << true << ".jpg" << full + ".jpg" << title << "again";
        QTest::newRow("disk full, bitmap, its program gone")
            << "limit" << true << ".bmp" << full + ".bmp" << QString() << "leaves";
    }

    void filedOnceTheCauseIsGone()
    {
        QFETCH(QString, cause);
        QFETCH(bool, asked);
        QFETCH(QString, extension);
        QFETCH(QString, told);
        QFETCH(QString, written);
        QFETCH(QString, after);
        m_state.settings.captureExtension = extension;
        m_state.settings.writeWindowTitle = asked;
        m_fakes->windowSource.window = {"Résumé: draft – Editor", "org.example.Editor"};
        QStringList sources;
        connect(m_engine.get(), &CaptureEngine::filed, this,
                [&](const QString&, const PictureSource& source) {
                    sources.append(source.title + " | " + source.program);
                });
        // A noisy picture, so its file is far larger than a few kilobytes in any format.
        QImage picture(320, 240, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
        m_fakes->clipboard.setImage(picture);
        const QString aside = m_dir->filePath("aside");
        if (cause == "category") {
            QVERIFY(QDir(m_state.libraryRoot + "Cat").removeRecursively());
            tick(3);
            makeFolder(m_state.libraryRoot + "Cat");
        } else if (cause == "file") {
            QVERIFY(QDir().rename(setFolder(), aside));
            makeFile(setFolder().chopped(1), "a file");
            tick(3);
            QVERIFY(QFile::remove(setFolder().chopped(1)));
        } else if (cause == "no set") {
            m_state.currentImageSet.clear();
            tick(3);
            m_state.currentImageSet = "Set";
        } else {
            withFileSizeLimit(2048, [this] {
                tick(3);
                m_engine->retry();
            });
        }
        QCOMPARE(m_told, QStringList{told.replace("%1", setFolder())});
        QCOMPARE(filesInSet(), QStringList());
        QVERIFY(m_fakes->clipboard.holdsImage);
        if (after == "leaves") { // having handed its picture over, as it exited
            m_fakes->clipboard.emptied();
        } else if (after == "text") {
            m_fakes->clipboard.copyText();
        } else if (after == "again") { // and taken while its window is still the active one
            m_fakes->clipboard.setImage(picture);
            tick();
        }
        m_fakes->windowSource.window = {"Another", "org.example.Other"};
        tick(2);
        QCOMPARE(filesInSet().size(), cause == "limit" && after != "again" ? 0 : 1);
        m_engine->retry();
        const QString path = setFolder() + "Image_040417_155228" + extension;
        QCOMPARE(filesInSet(), QStringList{QFileInfo(path).fileName()});
        QCOMPARE(m_told.size(), 1);
        QCOMPARE(m_fakes->clipboard.sent, after == "again" ? 2 : 1);
        QVERIFY(!m_fakes->clipboard.holdsImage);
        QCOMPARE(sources, QStringList{"Résumé: draft – Editor | org.example.Editor"});
        QCOMPARE(QImageReader(path).text("Title"), written);
        // A bitmap has 24 bits a pixel, a PNG every pixel as it was (a JPEG's: the picture bytes test).
        if (extension == ".bmp")
            QCOMPARE(contents(path).mid(28, 1), QByteArray(1, 24));
        if (extension != ".jpg")
            QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), picture);
    }

    // Pictures on the clipboard that are no new copy are not filed. One there at start is emptied
    // away, unless the last run was killed while writing it (a half-written temporary is found):
    // then it is filed, whether the recovery answers before or after it arrives. One copied while
    // paused stays, also on resuming; one that cannot be read stays and is told once, and the
    // pixels the picture before left in the worker's buffer are not filed in its place. The last
    // one filed coming back with nothing but our clearing in between (a clipboard manager
    // restoring it, also when it was filed only once an Image Set was shown) stays, and the status
    // line says why (back after another program's emptying, and a new copy after text: the
    // capture simulation); the same copy told twice is filed once. While no Image Set is shown, a
    // picture of the user's straight after a kept picture copied out of the library waits for an
    // Image Set as any other does (the capture simulation has the rest of the copies out of the
    // library). A name another program took, even at the last moment or by a link to nowhere, is
    // left as it is: the picture takes the next free one. Steps: . a tick, c the picture (a
    // palette) copied, u copied as a file that cannot be read, b as a pixmap too large to be
    // filed, k again in 32-bit colours, d another picture copied, r the clipboard tells the first
    // copy again, h the worker holds what it is given (and the recovery's answer); x a killed
    // capture's temporary, s the program starts, e the recovery answers; P paused, R resumed; N
    // no Image Set shown, S the Image Set shown again; o the first file copied out of the library;
    // l a link to nowhere under the first name, w another program's file made there as the worker
    // writes; G the program dies while the next picture is on its way to it (read, not yet taken
    // up), t words copied, K the program killed, + a second passes; a another program saves the
    // first picture into the Image Set.
    // In a library Syncthing shares (its mark in the library's folder, or in the one above it),
    // the spool and the lock are named in that folder's ignore patterns when the spool is
    // opened, with what the user wrote there kept; elsewhere nothing is written. (A library's
    // first patterns: the end-to-end sync test.)
    void syncthingIgnores_data()
    {
        QTest::addColumn<QString>("shared");   // the folder with Syncthing's mark: "", "library", "above"
        QTest::addColumn<QByteArray>("given"); // the ignore patterns before; null: none
        QTest::addColumn<QByteArray>("kept");
        const QByteArray ours = ".vistrelle-spool\n.vistrelle.lock\n";
        QTest::newRow("not shared") << "" << QByteArray() << QByteArray();
        QTest::newRow("the user's patterns")
            << "library" << QByteArray("*.part\n// notes") << "*.part\n// notes\n" + ours;
        const QByteArray named = "(?d).DS_Store\r\n.vistrelle.lock\r\n.vistrelle-spool\r\n";
        QTest::newRow("named already") << "library" << named << named;
        QTest::newRow("one of them named") << "library" << QByteArray(".vistrelle-spool\n") << ours;
        QTest::newRow("shared from above") << "above" << QByteArray() << ours;
    }

    void syncthingIgnores()
    {
        QFETCH(QString, shared);
        QFETCH(QByteArray, given);
        QFETCH(QByteArray, kept);
        const QString top = shared == "above" ? m_dir->path() + "/" : m_state.libraryRoot;
        if (!shared.isEmpty())
            makeFolder(top + ".stfolder");
        if (!given.isNull())
            makeFile(top + ".stignore", given);
        CaptureSpool spool;
        spool.open(m_state.libraryRoot);
        for (const QString& folder : {m_dir->path() + "/", m_state.libraryRoot}) {
            QFile ignores(folder + ".stignore");
            QCOMPARE(ignores.open(QIODevice::ReadOnly) ? ignores.readAll() : QByteArray(),
                     folder == top ? kept : QByteArray());
        }
    }

    void clipboardPictures_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("kept");        // the picture left on the clipboard
        QTest::addColumn<QStringList>("said"); // told, or on the status line
        const QStringList none, one{"Image_040417_155228.jpg"}, two{one.first(), "Image_040417_155228_2.jpg"};
        const QStringList back{
            "The picture put back on the clipboard was filed already; it was not filed again."};
        const QString error = "An error has occurred while creating image file.  Error 481\n\n";
        const QString refused = "Please select an image set first.  The picture stays on the clipboard until "
                                "an image set is shown.";
        QTest::newRow("at start") << "cs." << none << false << none;
        QTest::newRow("at start, answered late") << "chs.e" << none << false << none;
        QTest::newRow("at start, cut") << "xcs." << one << false << none;
        QTest::newRow("at start, cut, answered late") << "xchs.e" << one << false << none;
        // Killed as a picture is written: the spool files it once at the next start. (Pictures
        // waiting for the writer, filed in order, and one put back meanwhile, not filed: the
        // capture simulation's kills.)
        QTest::newRow("killed after the file was made") << "shc.WKs." << one << true << none;
        QTest::newRow("killed while it is written") << "shc.VxKs." << one << true << none;
        QTest::newRow("killed as it arrives") << "sc.Gd.tKs." << two << false << none;
        QTest::newRow("killed, the next copied while the spool is read")
            << "scKhs.+d.+e." << QStringList{one.first(), "Image_040417_155229.jpg"} << false << none;
        QTest::newRow("copied while paused, killed") << "sPc.Gd.tKs.R.." << none << false << none;
        QTest::newRow("at start, then killed") << "cs.tKs." << none << false << none;
        QTest::newRow("copied while paused") << "Pc.R.." << none << true << none;
        QTest::newRow("cannot be read")
            << "u.." << none << true << QStringList{error + "The picture on the clipboard cannot be read."};
        QTest::newRow("too large") << "b.." << none << true
                                   << QStringList{error +
                                                  "The picture on the clipboard is too large to be filed "
                                                  "(12000 x 12000 pixels)."};
        QTest::newRow("the same colours as a palette") << "c.k." << one << true << back;
        QTest::newRow("the same copy told again") << "c.r." << one << false << none;
        QTest::newRow("name taken by a link to nowhere")
            << "lc." << QStringList{"Image_040417_155228_2.jpg"} << false << none;
        QTest::newRow("name taken as it is written") << "wc." << two << false << none;
        // In a library Syncthing shares, names carry the machine's mark: the end-to-end sync test.
        // A screenshot tool saving into the Image Set and copying the picture too.
        const QStringList saved{"Shot.png"};
        QTest::newRow("a tool's file copied too")
            << "ac." << saved << true
            << QStringList{"The picture on the clipboard is Shot.png of the Image Set already; it was not "
                           "filed again."};
        QTest::newRow("a tool's file, another picture copied") << "ad." << one + saved << false << none;
        QTest::newRow("a tool's file of long ago copied")
            << "a++++++c." << QStringList{"Image_040417_155234.jpg", "Shot.png"} << false << none;
        QTest::newRow("filed once an Image Set is shown, put back")
            << "Nc.S.c." << one << true << QStringList{refused, back.first()};
        QTest::newRow("copied back, another picture straight after while no Image Set is shown")
            << "c.oNd.S." << two << false << QStringList{refused};
    }

    void clipboardPictures()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, files);
        QFETCH(bool, kept);
        QFETCH(QStringList, said);
        connect(m_engine.get(), &CaptureEngine::noted, this,
                [this](const QString& note) { m_told.append(note); });
        QImage picture(64, 48, QImage::Format_Indexed8);
        picture.setColorTable({qRgb(200, 30, 30), qRgb(30, 200, 30)});
        picture.fill(0);
        QImage other = picture;
        other.setColorTable({qRgb(30, 30, 200), qRgb(30, 200, 30)});
        FakeClipboard& clipboard = m_fakes->clipboard;
        const QString taken = setFolder() + "Image_040417_155228.jpg";
        const QHash<QChar, std::function<void()>> act{
            {'.', [this] { tick(); }},
            {'c', [&] { clipboard.setImage(picture); }},
            {'u',
             [&] {
                 clipboard.setImage(picture);
                 clipboard.bytes = "not a picture";
                 m_worker->buffers.picture = picture;
             }},
            {'b',
             [&] {
                 clipboard.setImage(picture);
                 clipboard.bytes = "P6 12000 12000 255\n"; // a pixmap's header alone
             }},
            {'k', [&] { clipboard.setImage(picture.convertToFormat(QImage::Format_RGB32)); }},
            {'r',
             [&] {
                 ClipboardPicture again = ClipboardPicture::grabbed(picture);
                 again.change = 1;
                 emit clipboard.arrived(again);
             }},
            {'h', [this] { m_worker->holding = true; }},
            {'x', [this] { makeFile(setFolder() + ".Image_040417_155228.bmp.0a1b2c3d.part", "BM"); }},
            {'s',
             [this] {
                 m_engine->discardPresent();
                 m_engine->recoverAtStart(m_state.libraryRoot);
             }},
            {'e',
             [this] {
                 m_worker->holding = false;
                 std::exchange(m_worker->heldRecovery, nullptr)();
             }},
            {'W', [this] { killedWhileFiling(true); }},
            {'V', [this] { killedWhileFiling(false); }},
            {'G', [&] { clipboard.killedOnItsWay = true; }},
            {'t', [&] { clipboard.copyText(); }},
            {'+', [this] { m_fakes->clock.time = m_fakes->clock.time.addSecs(1); }},
            {'K',
             [&] {
                 // What was under way dies with the program; the next one reads the clipboard anew.
                 m_worker->held.clear();
                 m_worker->holding = false;
                 m_engine.reset();
                 makeFile(m_state.libraryRoot + ".vistrelle-spool/running", ""); // not ended: killed
                 m_engine = std::make_unique<CaptureEngine>(m_state, m_fakes->services, *m_worker);
                 connect(m_engine.get(), &CaptureEngine::told, this,
                         [this](const Outcome& outcome) { m_told.append(outcome.text); });
                 clipboard.killedOnItsWay = false;
                 clipboard.waiting = {clipboard.changes};
                 QMetaObject::invokeMethod(&clipboard, &FakeClipboard::send, Qt::QueuedConnection);
             }},
            {'P', [this] { SetCapturePaused(m_state, m_fakes->services, *m_engine, true); }},
            {'R', [this] { SetCapturePaused(m_state, m_fakes->services, *m_engine, false); }},
            {'l', [&] { QVERIFY(QFile::link(m_dir->filePath("nowhere"), taken)); }},
            {'w',
             [&] {
                 m_worker->beforeWrite = [&](const QString& path) {
                     if (path == taken)
                         makeFile(taken, "another program's file");
                 };
             }},
            {'o', [&] { QVERIFY(m_engine->copy(ClipboardOffer::pictures({taken}))); }},
            {'d', [&] { clipboard.setImage(other); }},
            {'a',
             [&] {
                 QVERIFY(picture.save(setFolder() + "Shot.png"));
                 m_engine->arrivedInImageSet({setFolder() + "Shot.png"});
             }},
            {'N', [this] { m_state.currentImageSet.clear(); }},
            {'S', [this] { m_state.currentImageSet = "Set"; }}};
        for (const QChar step : steps)
            act.value(step)();
        QCOMPARE(filesInSet(), files);
        QCOMPARE(clipboard.holdsImage, kept);
        QCOMPARE(m_told, said);
    }
};

QTEST_MAIN(tst_CaptureTick)
#include "tst_CaptureTick.moc"
