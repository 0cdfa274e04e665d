#include "library/IndexDatabase.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

using namespace TestLibrary;

// What comes back out of the library: copies, context menus, a capture shown as it arrives. The
// clipboard and the shell are fakes; the end-to-end tests paste and drag with real programs, and
// tell captures on a real notification server.
class tst_KeptPictures : public QObject
{
    Q_OBJECT

    // The files the program copied last, as a file manager reads them.
    static QStringList copiedFiles(AppUnderTest& t)
    {
        QStringList files;
        for (const QUrl& url : t.fakes.clipboard.offered->urls())
            files.append(url.toLocalFile().remove(t.defaultSet()));
        return files;
    }

    // Opens the context menu of the file list's line \a row, as a right click does.
    static QMenu* menuOn(AppUnderTest& t, int row)
    {
        const QPoint at = t.list()->visualRect(t.list()->model()->index(row, 0)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, t.list()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(t.list()->viewport(), &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }

    static void choose(QMenu* menu, const char* entry)
    {
        QVERIFY2(menu, entry);
        auto* action = menu->findChild<QAction*>(entry);
        QVERIFY2(action && action->isEnabled(), entry);
        menu->close();
        action->trigger();
        QCoreApplication::processEvents(); // the commands that change the library run after the menu
    }

private slots:
    // The context menu's Copy offers the files as Ctrl+C does (one picture also as itself: the
    // end-to-end drag test, with the real clipboard); the words of a picture not read yet are not
    // copied. The menu's other entries do what their buttons and keys do, on the line clicked.
    void copiesAndMenus()
    {
        AppUnderTest t;
        for (const char* name : {"a.png", "b.jpg", "c.jpg"})
            makeImage(t.defaultSet() + name);
        t.fakes.shell.programs = {{"viewer.desktop", "Picture Viewer", ""}, {"paint.desktop", "Painter", ""}};
        QVERIFY(t.start());
        t.list()->selectOnly({1, 2});

        // A right click on a selected line acts on the whole selection, elsewhere on that line.
        choose(menuOn(t, 2), "mnuCopy");
        QCOMPARE(copiedFiles(t), (QStringList{"b.jpg", "c.jpg"}));
        // Once the index is there: on a busy machine it is made a while after the window shows.
        const QDir cache(t.dir.path() + "/cache/Vistrelle");
        QTRY_VERIFY(IndexDatabase::openForReading(cache.filePath(cache.entryList({"*.sqlite"}).value(0))));
        choose(menuOn(t, 0), "mnuCopyText");
        QCOMPARE(t.fakes.boxes.texts(), QStringList{"The words of this picture have not been read yet."});
        QCOMPARE(copiedFiles(t), (QStringList{"b.jpg", "c.jpg"}));

        QMenu* menu = menuOn(t, 1);
        QMenu* with = menu->findChild<QMenu*>("mnuOpenWith");
        QCOMPARE(with->actions().size(), 2);
        QCOMPARE(with->actions().first()->text(), "Picture Viewer");
        t.fakes.shell.succeeds = false;
        with->actions().last()->trigger();
        QCOMPARE(t.fakes.shell.openedWith, QStringList{"paint.desktop " + t.defaultSet() + "b.jpg"});
        QCOMPARE(t.fakes.boxes.texts().last(), "Painter could not open " + t.defaultSet() + "b.jpg");
        t.fakes.shell.succeeds = true;
        choose(menuOn(t, 1), "mnuShowInFolder");
        QCOMPARE(t.fakes.shell.shown, QStringList{t.defaultSet() + "b.jpg"});

        t.dialogs.names = {QString("renamed.jpg")};
        choose(menuOn(t, 2), "mnuRename");
        QCOMPARE(t.listed(), (QStringList{"a.png", "b.jpg", "renamed.jpg"}));
        t.fakes.boxes.answers = {BoxAnswer::Yes};
        choose(menuOn(t, 0), "mnuDelete");
        QCOMPARE(t.fakes.boxes.texts().last(), "Are you sure you want to delete the 1 files selected?");
        QCOMPARE(t.listed(), (QStringList{"b.jpg", "renamed.jpg"}));
        QCOMPARE(filesIn(t.trash() + "files"), QStringList{"a.png"});
    }

    void newCaptureIsSeen_data()
    {
        QTest::addColumn<QList<int>>("chosen"); // the lines the user selected, the first current
        QTest::addColumn<bool>("follows");
        QTest::newRow("the newest chosen") << QList<int>{59} << true;
        QTest::newRow("an older one chosen") << QList<int>{1} << false;
        QTest::newRow("several chosen, the newest among them") << QList<int>{58, 59} << false;
    }
    // A capture into the Image Set shown is selected, scrolled to and shown while the user
    // follows the newest pictures; one looking at an older picture, or several, keeps them.
    void newCaptureIsSeen()
    {
        QFETCH(QList<int>, chosen);
        QFETCH(bool, follows);
        AppUnderTest t;
        for (int n = 0; n < 60; ++n)
            makeImage(t.defaultSet() + QString("Image_040417_1500%1.png").arg(n, 2, 10, QChar('0')));
        QVERIFY(t.start());
        t.list()->resize(200, 100);
        for (const int row : chosen)
            t.list()->selectionModel()->setCurrentIndex(
                t.list()->model()->index(row, 0),
                row == chosen.first() ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::Select);
        const QList<int> before = t.selectedRows();
        t.copy();
        QTRY_COMPARE(t.listed().size(), 61);
        const QString viewed = t.app.imageViewer().findChild<QWidget*>("imgImageBox")->toolTip();
        const QRect newLine = t.list()->visualRect(t.list()->model()->index(60, 0));
        if (follows) {
            QCOMPARE(t.selectedRows(), QList<int>{60});
            QCOMPARE(viewed, "Image_040417_155228.jpg");
            QVERIFY(t.list()->viewport()->rect().contains(newLine));
        } else {
            QCOMPARE(t.selectedRows(), before);
            QCOMPARE(viewed, t.currentLine());
        }
    }

    // A notification on the screen would be in the window's picture: it goes before each shot.
    // (Its thumbnail, the picture's: the end-to-end notifications test.)
    void notificationOffTheShot()
    {
        AppUnderTest t;
        QVERIFY(t.start("TIMELAPSE_HK=84\r\nTIMELAPSE_SECS=1\r\n"));
        t.fakes.grab.window = QImage(30, 20, QImage::Format_RGB32);
        t.fakes.grab.window.fill(Qt::darkCyan);
        QList<int> withdrawnAtGrab;
        t.fakes.grab.whileGrabbing = [&] { withdrawnAtGrab.append(t.fakes.notifications.withdrawn); };
        for (int tick = 0; tick < 27; ++tick) {
            if (tick == 0 || tick == 26)
                t.fakes.keys.tap('T');
            t.app.heartbeat().tick();
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE(filesIn(t.defaultSet()).size(), 3);
        QCOMPARE(withdrawnAtGrab, (QList{1, 2, 3}));
    }
};

QTEST_MAIN(tst_KeptPictures)
#include "tst_KeptPictures.moc"
