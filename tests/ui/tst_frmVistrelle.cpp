#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/main/ImageInfo.h"
#include "ui/modes/frmLowResource.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>

using namespace TestLibrary;

class tst_frmVistrelle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstStartCaptureAndClosing()
    {
        AppUnderTest t;
        makeFile(t.dir.filePath("Vistrelle.ini"), "IMAGEFORMAT=BMP\nJPEG_QUALITY=75\nMTOP=300\nMLEFT=600\n");
        QVERIFY(t.start());
        QVERIFY(t.app.imageViewer().isVisible() && t.main().isVisible());
        QCOMPARE(t.main().pos(), QPoint(40, 20));
        QCOMPARE(t.shownSet(), "Default Category/Default Image Set");

        // The timer files a clipboard picture into the shown set, in the format chosen.
        QImage picture(48, 32, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QStringList titles{t.main().windowTitle()};
        for (int format : {0, 1, 1}) {
            t.main().findChildren<QRadioButton*>("optFormat").at(format)->click();
            titles << t.main().windowTitle();
            t.fakes.clipboard.setImage(picture);
            QTRY_VERIFY(!t.fakes.clipboard.hasImage());
        }
        QCOMPARE(titles,
                 (QStringList{"Vistrelle (BMP)", "Vistrelle (JPG)", "Vistrelle (BMP)", "Vistrelle (BMP)"}));
        QCOMPARE(filesIn(t.defaultSet()), (QStringList{"Image_040417_155228.bmp", "Image_040417_155228.jpg",
                                                       "Image_040417_155228_2.bmp"}));
        QCOMPARE(t.listed().size(), 3);
        QVERIFY(t.fakes.boxes.shown.isEmpty());

        t.click("cmdExplore");
        t.fakes.shell.succeeds = false;
        t.click("cmdExplore");
        QCOMPARE(t.fakes.shell.explored, (QStringList{t.root(), t.root()}));
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"Problem encountered trying to open Explorer.exe to Vistrelles directory."});
        QCOMPARE(t.fakes.boxes.shown.first().look, BoxLook::Exclamation);
        // A help page that fails to open leaves the help dialog up.
        QVERIFY(t.inDialog("cmdHelp", [&](QWidget& help) {
            QTest::mouseClick(help.findChild<QPushButton*>("cmdContents"), Qt::LeftButton);
            QVERIFY(help.isVisible());
            QTest::keyClick(&help, Qt::Key_Escape);
            QVERIFY(!help.isVisible());
        }));
        QCOMPARE(t.fakes.shell.opened, QStringList{t.programDir() + "Vistrelle.htm"});

        // With no Image Set left, a capture and low-resource mode are refused; the main window stays.
        QDir(t.root() + "Default Category").removeRecursively();
        QVERIFY(QFile::remove(t.dir.filePath("Vistrelle.ini"))); // read at the start; must not come back yet
        t.click("cmdRefresh");
        QCOMPARE(t.shownSet(), "/");
        t.fakes.clipboard.setImage(picture);
        QTRY_COMPARE(t.fakes.boxes.texts().size(), 2);
        QVERIFY(!t.fakes.clipboard.hasImage());
        t.click("cmdLowResourceMode");
        QCOMPARE(t.fakes.boxes.texts().mid(1), QStringList(2, "Please select an image set first."));
        QCOMPARE(t.fakes.boxes.shown.last().look, BoxLook::Information);
        QVERIFY(!t.app.lowResourceWindow() && t.main().isVisible());
        QVERIFY(!QFile::exists(t.dir.filePath("Vistrelle.ini")));

        QCOMPARE(t.settingsAfterClose(),
                 "MTOP=300\r\nMLEFT=600\r\nITOP=0\r\nILEFT=0\r\nIWIDTH=4995\r\nFIRSTCAT=\r\n"
                 "FIRSTSET=\r\nJPEG_QUALITY=75\r\nIMAGEFORMAT=BMP\r\n");
        QVERIFY2(!t.app.hasImageViewer(), "the viewer closes with the main window");
    }

    void startupRefusals_data()
    {
        QTest::addColumn<QStringList>("arguments"); // none: a second instance
        QTest::addColumn<QString>("message");
        QTest::newRow("second instance")
            << QStringList() << "Vistrelle is already running.  Check the System Tray.";
        QTest::newRow("one character")
            << QStringList{"x"} << "Invalid directory specified.  Check the target line for the shortcut.";
        QTest::newRow("missing folder")
            << QStringList{"/nonexistent/shots"}
            << "Problem encountered with specified directory (/nonexistent/shots).  "
               "Check the target line for the shortcut. Error encoutered: No such "
               "file or directory";
    }
    void startupRefusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        AppUnderTest t(arguments);
        t.fakes.instance.heldElsewhere = arguments.isEmpty();
        QVERIFY(!t.start());
        QCOMPARE(t.fakes.boxes.texts(), QStringList{message});
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void introSetAtStartup_data()
    {
        QTest::addColumn<QString>("start"); // FIRSTCAT/FIRSTSET -> the Category/Image Set shown
        QTest::addColumn<bool>("kept");
        QTest::newRow("preferred category") << "B/Misc -> B/Misc" << true;
        QTest::newRow("other category holds it") << "Gone/Only -> B/Only" << true;
        QTest::newRow("set gone") << "B/Nowhere -> A/Misc" << false;
    }
    void introSetAtStartup()
    {
        QFETCH(QString, start);
        QFETCH(bool, kept);
        AppUnderTest t;
        for (const char* folder : {"A/Misc", "B/Misc", "B/Only"})
            makeFolder(t.root() + folder);
        const QString intro = start.section(" -> ", 0, 0);
        const QByteArray settings = QString("FIRSTCAT=%1\r\nFIRSTSET=%2\r\n")
                                        .arg(intro.section('/', 0, 0), intro.section('/', 1))
                                        .toUtf8();
        makeFile(t.dir.filePath("Vistrelle.ini"), settings);
        QVERIFY(t.start());
        QCOMPARE(t.shownSet(), start.section(" -> ", 1));
        QVERIFY(t.settingsAfterClose().contains(kept ? settings : "FIRSTCAT=\r\nFIRSTSET=\r\n"));
    }

    // Another Category keeps the Image Set's name when it holds a set of exactly that name, else
    // shows its first set.
    void categoryChoiceCascades()
    {
        AppUnderTest t;
        for (const char* folder :
             {"b/Beta", "b/Misc", "A/Misc", "A/Alpha", "(x)/misc", "(x)/Lower", ".hidden/Set"})
            makeFolder(t.root() + folder);
        makeImage(t.root() + "b/Misc/shot.jpg");
        QVERIFY(t.start());
        QCOMPARE(t.items("cboImageSetCategory"), (QStringList{"(x)", "A", "b"}));

        t.choose("cboImageSetCategory", "A");
        t.choose("cboImageSetName", "Misc");
        t.choose("cboImageSetCategory", "b");
        QCOMPARE(t.shownSet(), "b/Misc");
        QCOMPARE(t.listed(), QStringList{"shot.jpg"});
        t.choose("cboImageSetCategory", "(x)");
        QCOMPARE(t.shownSet(), "(x)/Lower");
        QVERIFY(t.listed().isEmpty());
    }

    // The info line under the file list: date modified and size in whole kilobytes.
    void infoLine_data()
    {
        QTest::addColumn<QString>("modified");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("afternoon, empty")
            << "2004-04-17T15:02:07" << 0 << "Saturday, April 17, 2004, 03:02:07 PM  (0KB)";
        QTest::newRow("midnight, under 1KB")
            << "2026-01-01T00:00:09" << 1023 << "Thursday, January 1, 2026, 12:00:09 AM  (0KB)";
        QTest::newRow("noon, 1KB") << "2026-12-06T12:30:00" << 1024
                                   << "Sunday, December 6, 2026, 12:30:00 PM  (1KB)";
    }
    void infoLine()
    {
        QFETCH(QString, modified);
        QFETCH(int, bytes);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("shot.jpg");
        makeFile(path, QByteArray(bytes, 'x'));
        setModified(path, QDateTime::fromString(modified, Qt::ISODate));
        QCOMPARE(ImageInfoLine(path), expected);
        QCOMPARE(FileDateText(path), expected.section("  (", 0, 0));
        QVERIFY(QFile::remove(path));
        QCOMPARE(ImageInfoLine(path) + FileDateText(path), QString());
    }

    void fileListOrderAndViewer_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QStringList() << QStringList();
        QTest::newRow("one") << QStringList{"Shot.JPG"} << QStringList{"Shot.JPG"};
        QTest::newRow("mixed") << QStringList{"b.jpg", "A.bmp", "c.gif", "d.png", "sub/e.jpg"}
                               << QStringList{"A.bmp", "b.jpg", "c.gif", "e.jpg"};
    }
    void fileListOrderAndViewer()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, lines);
        AppUnderTest t;
        for (const QString& file : files)
            makeImage(t.defaultSet() + file, QSize(64, 32));
        QVERIFY(t.start());
        QCOMPARE(t.listed(), lines);
        frmImage& viewer = t.app.imageViewer();
        auto* box = viewer.findChild<QWidget*>("imgImageBox");
        for (const char* step : {"mnuImgNext", "mnuImgPrevious", "mnuFirstImage"})
            QCOMPARE(viewer.findChild<QAction*>(step)->isEnabled(), lines.size() > 1);
        QCOMPARE(t.state().currentFileIndex, lines.isEmpty() ? 0 : 1);
        if (lines.isEmpty()) {
            QCOMPARE(box->toolTip(), "No images currently available for viewing.");
            QCOMPARE(t.control<QLabel>("lblImageInfo")->text(), QString());
            return;
        }
        QCOMPARE(box->toolTip(), lines.first());
        QVERIFY2(QFile::exists(t.state().fileListEntries.first()), "paths keep their case on disk");
        QCOMPARE(t.control<QLabel>("lblImageInfo")->text(), ImageInfoLine(t.state().fileListEntries.first()));
    }

    void selectionAfterRefresh()
    {
        AppUnderTest t;
        for (int n = 1; n <= 10; ++n)
            makeImage(t.defaultSet() + QString("f%1.jpg").arg(n, 2, 10, QChar('0')));
        QVERIFY(t.start());
        QListWidget* list = t.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(t.state().currentFileIndex, 3);

        makeImage(t.defaultSet() + "f00.jpg");
        t.click("cmdRefresh");
        QCOMPARE(t.listed().mid(0, 4), (QStringList{"f00.jpg", "f01.jpg", "f02.jpg", "f03.jpg"}));
        QCOMPARE(list->currentItem()->text(), "f03.jpg");
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(t.state().currentFileIndex, 4);

        // A position asked for after files went away lands on what now stands there, or the last.
        for (const char* gone : {"f02.jpg", "f03.jpg", "f04.jpg"})
            QVERIFY(QFile::remove(t.defaultSet() + gone));
        for (const auto& [index, shown] : QList<std::pair<int, QString>>{{3, "f06.jpg"}, {9, "f10.jpg"}}) {
            list->clearSelection();
            t.state().restoreListIndex = index;
            t.main().RefreshImageSets();
            QCOMPARE(list->currentItem()->text(), shown);
            QCOMPARE(t.state().restoreListIndex, 0);
        }

        t.state().fileMax = 3; // told once, however often the set is listed
        t.main().RefreshImageSets();
        QCOMPARE(t.listed().size(), 3);
        t.main().RefreshImageSets();
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"This image set holds 8 images; only the first 3 are listed.  "
                             "Raise FILEMAX= in Vistrelle.ini to list them all."});
    }

    void longTipIsCut()
    {
        QCOMPARE(
            LowResourceTip("Vistrelle (BMP) (LR mode)", "Holidays in the mountains, summer 2026, part two"),
            "Vistrelle (BMP) (LR mode) (Holidays in the mountains, summer 20");
    }

    void lowResourceMode_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::newRow("with a tray") << true;
        QTest::newRow("without a tray") << false;
    }
    void lowResourceMode()
    {
        QFETCH(bool, tray);
        AppUnderTest t;
        t.fakes.tray.present = tray;
        makeFolder(t.root() + "Trips/Alps");
        QVERIFY(t.start());
        t.choose("cboImageSetCategory", "Trips");
        t.main().move(200, 150);
        t.click("cmdLowResourceMode");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QPointer<frmLowResource> small = t.app.lowResourceWindow();
        QVERIFY(small && small->isVisible());
        QVERIFY2(!t.app.mainWindow() && !t.app.hasImageViewer(),
                 "the main window and the viewer are deleted");
        QVERIFY2(QFile::remove(t.dir.filePath("Vistrelle.ini")), "the settings are written on the way");
        QCOMPARE(small->pos(), QPoint(200, 150));
        QPointer<QSystemTrayIcon> icon = small->findChild<QSystemTrayIcon*>("trayIcon");
        QVERIFY(icon->isVisible());
        QCOMPARE(icon->toolTip(), "Vistrelle (JPG) (LR mode) (Alps)");

        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const auto capture = [&] { t.fakes.clipboard.setImage(picture), small->tmrTimer_Timer(); };
        // The first tick takes the window off the screen; without a tray it must stay
        // reachable, minimised on the taskbar.
        capture();
        QCOMPARE(small->isVisible(), !tray);
        QCOMPARE(small->isMinimized(), !tray);
        QVERIFY2(!QGuiApplication::quitOnLastWindowClosed(),
                 "closing a message box while the small window is hidden must not end the program");
        capture();
        QCOMPARE(QDir(t.root() + "Trips/Alps").entryList(QDir::Files),
                 (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QVERIFY(!t.fakes.clipboard.hasImage() && t.fakes.boxes.shown.isEmpty());

        if (tray) { // a left click on the icon shows the window, the next one hides it
            emit icon->activated(QSystemTrayIcon::Trigger);
            QVERIFY(small->isVisible() && !small->isMinimized());
            emit icon->activated(QSystemTrayIcon::Trigger);
            QVERIFY(!small->isVisible());
        }
        small->showNormal();
        small->showMinimized();
        QTest::qWait(20);
        QCOMPARE(small->isVisible(), !tray);

        if (tray) { // Close on the tray menu ends the program
            QCOMPARE(icon->contextMenu()->actions().size(), 1);
            icon->contextMenu()->actions().first()->trigger();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(small.isNull() && icon.isNull() && QApplication::topLevelWidgets().isEmpty());
            QVERIFY2(!QFile::exists(t.dir.filePath("Vistrelle.ini")), "the settings are not written again");
            return;
        }
        // Restore (Escape) brings the main window back where the small one was, on the same set.
        small->showNormal();
        small->move(260, 90);
        QTest::keyClick(small, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!t.app.lowResourceWindow() && !t.state().lowResourceMode);
        QVERIFY(t.main().isVisible() && t.app.imageViewer().isVisible());
        QCOMPARE(t.main().pos(), QPoint(260, 90));
        QCOMPARE(t.shownSet(), "Trips/Alps");
        QCOMPARE(t.listed().size(), 2);
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    }
};

QTEST_MAIN(tst_frmVistrelle)
#include "tst_frmVistrelle.moc"
