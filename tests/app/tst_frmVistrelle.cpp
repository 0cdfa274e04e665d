#include "desktop/qt/QtMessageBoxes.h"
#include "desktop/qt/TerminationSignals.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/AppIcon.h"
#include "ui/dialogs/ModalLibraryDialogs.h"
#include "ui/modes/frmLowResource.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>
#include <csignal>

using namespace TestLibrary;

class tst_frmVistrelle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // A capture killed midway is filed under its name at the next start, in any Image Set, and
    // listed in the one shown. The info line under the file list: date modified and size in whole
    // kilobytes; nothing for a file gone meanwhile. The message an Image Set holding more images
    // than FILEMAX gives, once, as it lists the first ones, stops no capture: a picture copied while
    // it is open goes into the set just chosen.
    void firstStartCaptureAndClosing()
    {
        AppUnderTest t;
        for (const char* file : {"b.jpg", "A.bmp", "c.gif", "d.png", "sub/e.jpg", "f.JPEG", "g.tif"})
            makeImage(t.defaultSet() + file, QSize(64, 32));
        makeFile(t.defaultSet() + "A.bmp", QByteArray(2047, 'x'));
        setModified(t.defaultSet() + "A.bmp", QDateTime::fromString("2026-03-04T00:16:17", Qt::ISODate));
        const QString other = t.root() + "Default Category/Other/", big = t.root() + "Default Category/Zoo/";
        for (int n = 0; n < 5003; ++n)
            makeFile(big + QString("f%1.jpg").arg(n, 4, 10, QChar('0')));
        const QString killed = ".Image_040417_155227.jpg.0a1b2c3d.part";
        for (const QString& set : {t.defaultSet(), other})
            QVERIFY(QFile::rename(makeImage(set + "whole.jpg"), set + killed));
        QVERIFY(t.start("JPEG_QUALITY=75\nMTOP=300\nMLEFT=600\nFILEMAX=5001\n"));
        QCOMPARE(filesIn(other), QStringList{"Image_040417_155227.jpg"});
        QCOMPARE(filesIn(t.defaultSet()), (QStringList{"A.bmp", "Image_040417_155227.jpg", "b.jpg", "c.gif",
                                                       "d.png", "f.JPEG", "g.tif", "sub/e.jpg"}));
        QCOMPARE(t.listed(), (QStringList{"A.bmp", "b.jpg", "c.gif", "d.png", "f.JPEG",
                                          "Image_040417_155227.jpg", "e.jpg"}));
        QCOMPARE(t.app.imageViewer().findChild<QWidget*>("imgImageBox")->toolTip(), "A.bmp");
        QCOMPARE(t.control<QLabel>("lblImageInfo")->text(), "Wednesday, March 4, 2026, 12:16:17 AM  (1KB)");
        QVERIFY(QFile::remove(t.defaultSet() + "A.bmp"));
        t.main().ShowViewerImage(t.defaultSet() + "A.bmp");
        QCOMPARE(t.control<QLabel>("lblImageInfo")->text(), QString());
        t.fakes.boxes.whileShown = [&] {
            t.fakes.boxes.whileShown = nullptr;
            t.copy();
            t.app.heartbeat().tick();
        };
        t.choose("cboImageSetName", "Zoo");
        QCOMPARE(t.listed().size(), 5001);
        QTRY_VERIFY(QFile::exists(big + "Image_040417_155228.jpg"));
        t.click("cmdRefresh");

        // With no Image Set left, a capture and low-resource mode are refused; the main window
        // stays.
        QDir(t.root() + "Default Category").removeRecursively();
        t.click("cmdRefresh");
        QCOMPARE(t.shownSet(), "/");
        QCOMPARE(t.app.imageViewer().findChild<QWidget*>("imgImageBox")->toolTip(),
                 "No images currently available for viewing.");
        QVERIFY(!t.app.imageViewer().findChild<QAction*>("mnuImgNext")->isEnabled());
        QCOMPARE(t.control<QLabel>("lblImageInfo")->text(), QString());
        t.copy(Qt::blue); // not the picture filed last, straight after its clearing: that is one back
        QTRY_COMPARE(t.fakes.boxes.texts().size(), 2);
        t.click("cmdLowResourceMode");
        QCOMPARE(t.fakes.boxes.texts(),
                 (QStringList{
                     "This image set holds 5003 images; only the first 5001 are listed.  Raise FILEMAX= in "
                     "Vistrelle.ini to list them all.",
                     "Please select an image set first.  The picture stays on the clipboard until an "
                     "image set is shown.",
                     "Please select an image set first."}));
        QCOMPARE(t.fakes.boxes.shown.last().look, BoxLook::Information);
        QVERIFY(!t.app.lowResourceWindow() && t.main().isVisible());

        QCOMPARE(t.settingsAfterClose(),
                 "MTOP=300\r\nMLEFT=600\r\nITOP=0\r\nILEFT=0\r\nIWIDTH=4995\r\nFIRSTCAT=\r\n"
                 "FIRSTSET=\r\nJPEG_QUALITY=75\r\nFILEMAX=5001\r\n");
    }

    // The session may end while a start-up message waits: the user's settings stay as they were.
    // (What each refused start says, that it makes nothing, and that a picture copied meanwhile is
    // no business of a program that ends: the end-to-end start-up test.)
    void sessionEndsAtARefusedStart()
    {
        AppUnderTest t({"/nonexistent/shots"});
        const QByteArray settings("MTOP=1500\r\nFIRSTCAT=Trips\r\nJPEG_QUALITY=75\r\nACTIVEWINDOW_HK=75\r\n");
        t.fakes.boxes.whileShown = [&t] { t.app.SaveForSession(); };
        QVERIFY(!t.start(settings));
        QCOMPARE(t.fakes.boxes.shown.size(), 1);
        QCOMPARE(contents(t.settingsFile()), settings);
    }

    void fullDisk_data()
    {
        QTest::addColumn<QString>("act");
        QTest::newRow("closing") << "close";
        QTest::newRow("the session's end") << "end session";
        QTest::newRow("Intro Set") << "cmdFirstImageSet";
    }

    // A save when the disk is full: the old settings file stays, no temporary beside it, and the
    // user is told why, once; "Done." is never said.
    void fullDisk()
    {
        QFETCH(QString, act);
        AppUnderTest t;
        const QByteArray before("IMAGEFORMAT=BMP\r\nFIRSTCAT=Default Category\r\n");
        QVERIFY(t.start(before));
        withFileSizeLimit(16, [&] {
            if (act == "close") {
                t.main().close();
            } else if (act == "end session") {
                // Quitting closes the windows, as a signal's end of the session does.
                QTimer::singleShot(0, &t.main(), [&t] { t.app.EndSession(); });
                QApplication::exec();
            } else {
                t.click(qPrintable(act));
            }
        });
        QCOMPARE(contents(t.settingsFile()), before);
        QCOMPARE(QDir(t.programDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"Vistrelle.ini"});
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"Could not write " + t.programDir() + "Vistrelle.ini file (File too large)."});
        QCOMPARE(t.fakes.boxes.shown.first().look, BoxLook::Exclamation);
    }

    void sessionEndsWhileABoxWaits_data()
    {
        QTest::addColumn<QString>("box");    // what opens it, and the kind of box that then waits
        QTest::addColumn<bool>("signalled"); // SIGTERM, else the session manager's quit
        for (const bool signalled : {true, false}) {
            const char* ending = signalled ? "SIGTERM" : "session manager";
            for (const char* box : {"problem:QMessageBox", "cmdNewImageSet:frmEnterName",
                                    "empty name:QMessageBox", "Space:frmRelocate", "Return:frmFileOptions",
                                    "cmdOptions:frmOptions", "cmdHelp:frmHelp", "cmdPhotosBySet:frmPhotos"})
                QTest::addRow("%s, %s", box, ending) << QString(box) << signalled;
        }
    }
    // The session ends while a box waits, over the viewer or the main window, or a box over a
    // dialog: the boxes close, the program ends through its event loop as a logout ends it, and
    // the settings are saved. A window destroyed under a box once freed the box on the stack.
    void sessionEndsWhileABoxWaits()
    {
        QFETCH(QString, box);
        QFETCH(bool, signalled);
        QtMessageBoxes boxes;
        ModalLibraryDialogs dialogs(boxes);
        AppUnderTest t({}, &boxes, &dialogs);
        makeImage(t.defaultSet() + "a.png");
        QVERIFY(t.start("MTOP=300\r\n"));
        t.main().move(t.main().x(), 100);
        TerminationSignals ending;
        QObject::connect(&ending, &TerminationSignals::received, &ending, [&t] { t.app.EndSession(); });
        const QString opener = box.section(':', 0, 0), waiting = box.section(':', 1);
        // The code that opened the box returns before any window goes.
        bool returned = false, unloadedUnderBox = false;
        QObject::connect(&t.main(), &frmVistrelle::unloading, [&] { unloadedUnderBox = !returned; });
        QTimer open;
        open.setSingleShot(true);
        QObject::connect(&open, &QTimer::timeout, [&] {
            if (opener == "problem") {
                QApplication::setActiveWindow(&t.app.imageViewer());
                emit t.app.reading().problem("The words read from screenshots cannot be saved.");
            } else if (opener == "empty name") {
                QTimer::singleShot(0, [] {
                    QWidget* name = QApplication::activeModalWidget();
                    name->findChild<QLineEdit*>()->clear();
                    QTest::mouseClick(name->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
                });
                t.click("cmdNewImageSet");
            } else if (opener.startsWith("cmd")) {
                t.click(qPrintable(opener));
            } else {
                t.setCurrentLine(0);
                QTest::keyClick(t.list(), opener == "Space" ? Qt::Key_Space : Qt::Key_Return);
            }
            returned = true;
        });
        // Once the box waits, the session ends.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const QWidget* shown = QApplication::activeModalWidget();
            if (!shown || shown->metaObject()->className() != waiting)
                return;
            watch.stop();
            if (signalled) {
                std::raise(SIGTERM);
            } else {
                QEvent quit(QEvent::Quit);
                QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
            }
        });
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [] { QCoreApplication::exit(2); });
        deadline.start(10000);
        open.start(0);
        watch.start(10);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!watch.isActive());
        QVERIFY(returned && !unloadedUnderBox);
        QVERIFY(contents(t.settingsFile()).split('\n').contains("MTOP=1500\r"));
    }

    // The settings file at start: the Image Set shown, FIRSTCAT/FIRSTSET kept while an Image Set of
    // that name is found; the windows stay on the screens that exist, and a width beyond the
    // screens counts as one too small, and is not saved again.
    void settingsAtStart_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("shown"); // the Category/Image Set
        QTest::addColumn<QString>("saved"); // lines written back on closing
        const QString misc = "FIRSTCAT=b\r\nFIRSTSET=Misc", only = "FIRSTCAT=Gone\r\nFIRSTSET=Only";
        const QString first = "(x)/Lower"; // the first Category's first Image Set
        QTest::newRow("preferred category") << misc << "b/Misc" << misc;
        QTest::newRow("other category holds it") << only << "b/Only" << only;
        QTest::newRow("set gone") << "FIRSTCAT=b\r\nFIRSTSET=Nowhere" << first << "FIRSTCAT=\r\nFIRSTSET=";
        // The offscreen platform's screen: 800 pixels, 12000 twips wide.
        QTest::newRow("viewer wider than the screen") << "IWIDTH=13500" << first << "IWIDTH=4995";
        QTest::newRow("viewer as wide as the screen") << "IWIDTH=12000" << first << "IWIDTH=12000";
        QTest::newRow("viewer far right") << "ILEFT=2147483647" << first << "ILEFT=0";
        QTest::newRow("narrow viewer at the right edge")
            << "ILEFT=4995\r\nIWIDTH=6000" << first << "ILEFT=4995\r\nIWIDTH=6000";
        QTest::newRow("main window far below") << "MTOP=90000" << first << "MTOP=0";
    }
    void settingsAtStart()
    {
        QFETCH(QString, settings);
        QFETCH(QString, shown);
        QFETCH(QString, saved);
        AppUnderTest t;
        for (const char* folder :
             {"b/Beta", "b/Misc", "b/Only", "A/Misc", "(x)/misc", "(x)/Lower", ".hidden/Set"})
            makeFolder(t.root() + folder);
        QVERIFY(t.start(settings.toUtf8() + "\r\n"));
        QCOMPARE(t.shownSet(), shown);
        // Another Category keeps the Image Set's name when it holds a set of exactly that name, else
        // shows its first set; hidden folders are no Categories.
        QCOMPARE(t.items("cboImageSetCategory"), (QStringList{"(x)", "A", "b"}));
        t.choose("cboImageSetCategory", "A");
        t.choose("cboImageSetCategory", "b");
        QCOMPARE(t.shownSet(), "b/Misc");
        t.choose("cboImageSetCategory", "(x)");
        QCOMPARE(t.shownSet(), "(x)/Lower");
        const QByteArray text = t.settingsAfterClose();
        QVERIFY2(text.contains(saved.toUtf8() + "\r\n"), text.constData());
    }

    // A lasting failure under a stream of pictures opens one box at a time; what fails while it
    // is open is counted on the status line. Once mended, the picture still on the clipboard is
    // filed at the next look without being copied again.
    void failuresAreToldOnce()
    {
        AppUnderTest t;
        QVERIFY(t.start());
        QVERIFY(QDir(t.defaultSet()).removeRecursively());
        makeFile(t.defaultSet().chopped(1), "not a folder");
        const auto copy = [&](int n) {
            t.copy(QColor::fromHsv(n * 60, 255, 255));
            t.app.heartbeat().tick();
        };
        // The box's own event loop runs meanwhile. A word on a picture that was filed is no
        // failure: it is shown after the box, not counted.
        t.fakes.boxes.whileShown = [&] {
            t.fakes.boxes.whileShown = nullptr;
            emit t.fakes.grab.screenInstead("The desktop refuses.");
            for (int n = 1; n <= 3; ++n) {
                copy(n);
                QTest::qWait(20);
            }
        };
        copy(0);
        QTRY_COMPARE(t.fakes.boxes.shown.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(t.fakes.boxes.shown.size(), 2);
        QVERIFY(t.fakes.boxes.shown.last().text.startsWith("The whole screen was filed"));
        QCOMPARE(t.control<QLabel>("lblCaptureStatus")->text(), "3 more pictures could not be filed");

        QVERIFY(QFile::remove(t.defaultSet().chopped(1)));
        t.app.heartbeat().tick();
        QCOMPARE(t.listed(), QStringList{"Image_040417_155228.jpg"});
        QCOMPARE(t.control<QLabel>("lblCaptureStatus")->text(), QString());
        QCOMPARE(t.fakes.boxes.shown.size(), 2);
    }

    // Each format option names the format in the caption and is saved at once: a session that
    // ends without the window being closed (a lost display) keeps it. While time-lapse runs and
    // while capturing is paused, the captions, the tray tip and the tray icon say so, in the main
    // window and in low-resource mode; the two share the one pause.
    void captionsAndLowResourceMode()
    {
        AppUnderTest t;
        t.fakes.tray.present = true;
        const QString set = t.root() + "Trips/Holidays in the mountains, summer 2026/";
        makeFolder(set);
        QVERIFY(t.start("TIMELAPSE_HK=84\r\nTIMELAPSE_SECS=60\r\n"));
        t.choose("cboImageSetCategory", "Trips");
        t.fakes.keys.tap('T');
        t.app.heartbeat().tick();
        QCOMPARE(t.main().windowTitle(), "Vistrelle (JPG) (time-lapse)");
        QTest::mouseClick(t.control<QCheckBox>("chkPauseCapturing"), Qt::LeftButton);
        for (QRadioButton* option : t.main().findChildren<QRadioButton*>("optFormat")) {
            option->click();
            QCOMPARE(t.main().windowTitle(),
                     "Vistrelle (" + option->text().remove('&') + ") (time-lapse) (paused)");
        }
        QVERIFY(contents(t.settingsFile()).contains("\r\nIMAGEFORMAT=PNG\r\n"));
        QVERIFY(QFile::remove(t.settingsFile()));

        // The settings are written on the way, and the small window hides behind its tray icon
        // once shown; the end-to-end low-resource test runs the mode without a tray.
        t.click("cmdLowResourceMode");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QPointer<frmLowResource> small = t.app.lowResourceWindow();
        QVERIFY(small->isVisible() && QFile::exists(t.settingsFile()));
        QVERIFY(small->findChild<QLabel*>("Label2")->text().contains("notification area"));
        auto* icon = small->findChild<QSystemTrayIcon*>("trayIcon");
        QVERIFY(icon->isVisible());
        const auto shown = [&] {
            QString badge = "?";
            for (const auto& [name, kind] : {std::pair{"", IconBadge::None},
                                             {" dot", IconBadge::TimeLapse},
                                             {" pause sign", IconBadge::Paused},
                                             {" tick", IconBadge::Captured}})
                if (icon->icon().pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32) ==
                    AppIconImage(32, kind).convertToFormat(QImage::Format_ARGB32))
                    badge = name;
            return small->windowTitle() + " | " + icon->toolTip() + " |" + badge;
        };
        QCOMPARE(shown(), "Vistrelle (PNG) (LR mode) (time-lapse) (paused) | Vistrelle (PNG) (LR mode) "
                          "(time-lapse) (paused) (Holidays in th | pause sign");
        auto* item = icon->contextMenu()->findChild<QAction*>("mnuPauseCapturing");

        // Unpaused, the next picture is filed in the Image Set chosen, every pixel as it was; the
        // tray menu's time-lapse entry stops time-lapse, as the hotkey does.
        item->trigger();
        QCOMPARE(shown(), "Vistrelle (PNG) (LR mode) (time-lapse) | Vistrelle (PNG) (LR mode) (time-lapse) "
                          "(Holidays in the mountai | dot");
        QImage picture(48, 32, QImage::Format_ARGB32);
        picture.fill(qRgba(10, 20, 30, 128));
        t.fakes.clipboard.setImage(picture);
        QCoreApplication::processEvents();
        auto* lapse = icon->contextMenu()->findChild<QAction*>("mnuTimeLapse");
        QCOMPARE(lapse->text(), "Stop &Time-Lapse");
        lapse->trigger();
        t.app.heartbeat().tick();
        QCOMPARE(lapse->text(), "Start &Time-Lapse");
        QCOMPARE(QImage(set + "Image_040417_155228.png"), picture);
        QTRY_VERIFY(!small->isVisible());
        QVERIFY(t.fakes.boxes.shown.isEmpty());
        QVERIFY2(!QGuiApplication::quitOnLastWindowClosed(),
                 "closing a message box while the small window is hidden must not end the program");
        QCOMPARE(shown(), "Vistrelle (PNG) (LR mode) | Vistrelle (PNG) (LR mode) (Holidays in the mountains, "
                          "summer 20 | tick");

        // Paused in the small window, the main window comes back paused.
        item->trigger();
        small->showNormal();
        QVERIFY(QTest::qWaitForWindowActive(small));
        QTest::keyClick(small, Qt::Key_Escape); // Restore
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(t.control<QCheckBox>("chkPauseCapturing")->isChecked());
        QCOMPARE(t.main().windowTitle(), "Vistrelle (PNG) (paused)");
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());

        // Without a tray the small window says it waits on the taskbar. (Closing it ends the
        // program, and the settings are not written again: the end-to-end low-resource test.)
        t.fakes.tray.present = false;
        t.click("cmdLowResourceMode");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(t.app.lowResourceWindow()->findChild<QLabel*>("Label2")->text().contains("taskbar"));
    }
};

QTEST_MAIN(tst_frmVistrelle)
#include "tst_frmVistrelle.moc"
