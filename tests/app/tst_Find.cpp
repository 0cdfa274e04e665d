#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmImage.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

using namespace TestLibrary;

// The Find box of the main window, with the text reader faked: typing lists the pictures that
// hold the words, choosing one shows it in its Image Set, Esc goes back. Ctrl+F and captures
// found by their window's words are driven through the real program by the end-to-end test.
class tst_Find : public QObject
{
    Q_OBJECT

    static QStringList found(AppUnderTest& t)
    {
        QStringList lines;
        const QAbstractItemModel* model = t.control<QListView>("lstFound")->model();
        for (int row = 0; row < model->rowCount(); ++row)
            lines << model->index(row, 0).data().toString().replace('\n', " | ");
        return lines;
    }

private slots:
    void findingChoosingAndGoingBack()
    {
        AppUnderTest t;
        // Pictures of their own colours, each newer than the one before: path, then words.
        const QStringList pictures{
            "Work/Reports/Image_0.png: cover page", "Work/Reports/Image_1.png: quarterly revenue\ntotal 42",
            "Work/Drafts/Image_2.png: revenue forecast", "Home/Trips/Image_3.png: holiday photos"};
        // Image_1's words stand in two lines, each in its box.
        const QList<QRect> boxes{{10, 10, 60, 12}, {80, 10, 60, 12}, {10, 40, 30, 12}, {50, 40, 15, 12}};
        for (int n = 0; n < pictures.size(); ++n) {
            const QString file =
                makeImage(t.root() + pictures[n].section(": ", 0, 0), n == 1 ? QSize(200, 100) : QSize(8, 6),
                          QColor::fromRgb(0x102030 * (n + 1)));
            setModified(file, QDateTime::currentDateTime().addSecs(100 * (n - 4)));
            t.fakes.reader.holds(file, pictures[n].section(": ", 1), n == 1 ? boxes : QList<QRect>());
        }
        std::atomic_bool hold = true;
        t.fakes.reader.whileReading = [&](const ReadingControl& control) {
            while (hold && !control.stopping())
                QThread::msleep(5);
        };
        QVERIFY(t.start());
        QAbstractItemModelTester tester(t.control<QListView>("lstFound")->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto* box = t.control<QLineEdit>("txtFind");
        auto* status = t.control<QLabel>("lblReading");
        QTRY_COMPARE(status->text(), "Reading text: 0 of 4");
        t.control<QCheckBox>("chkPauseCapturing")->click();
        QCOMPARE(status->text(), "Reading text: 0 of 4 (paused)");
        t.control<QCheckBox>("chkPauseCapturing")->click();
        hold = false;
        QTRY_COMPARE(status->text(), QString());

        QTest::keyClicks(box, "REVEN");
        // The words found replace the file list.
        QTRY_COMPARE(found(t), (QStringList{"Image_2.png | Work / Drafts", "Image_1.png | Work / Reports"}));
        QVERIFY(!t.list()->isVisible());
        QCOMPARE(status->text(), "2 found");

        // Choosing one shows its Category and Image Set, selects it and shows it in the viewer.
        auto* foundList = t.control<QListView>("lstFound");
        foundList->setCurrentIndex(foundList->model()->index(1, 0));
        QCOMPARE(t.shownSet(), "Work/Reports");
        auto* picture = t.app.imageViewer().findChild<ImageBox*>("imgImageBox");
        QCOMPARE(picture->toolTip(), "Image_1.png");
        // The words searched for are outlined on it.
        QCOMPARE(picture->outlines(), QList{boxes[1]});

        // Its words come out as text: all of them, line by line, through the found picture's menu;
        // those under a rectangle drawn with Shift held on the viewer, outlined in their turn.
        emit foundList->customContextMenuRequested(
            foundList->visualRect(foundList->model()->index(1, 0)).center());
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        menu->findChild<QAction*>("mnuCopyText")->trigger();
        menu->close();
        QCOMPARE(t.fakes.clipboard.offered->text(), "quarterly revenue\ntotal 42");
        const auto at = [picture](int x, int y) {
            return QPoint(x * picture->width() / 200, y * picture->height() / 100);
        };
        QTest::mousePress(picture, Qt::LeftButton, Qt::ShiftModifier, at(1, 1));
        QTest::mouseMove(picture, at(40, 30));
        QTest::mouseRelease(picture, Qt::LeftButton, Qt::ShiftModifier, at(75, 60));
        QCOMPARE(t.fakes.clipboard.offered->text(), "quarterly\ntotal 42");
        QCOMPARE(picture->outlines(), (QList{boxes[0], boxes[2], boxes[3]}));
        QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
        QApplication::sendEvent(foundList, &copy);
        QCOMPARE(t.fakes.clipboard.offered->urls(),
                 QList{QUrl::fromLocalFile(t.root() + "Work/Reports/Image_1.png")});
        // Dragged out, a found picture is offered as its file, to be copied only.
        QAbstractItemModel* foundModel = foundList->model();
        const std::unique_ptr<QMimeData> dragged(foundModel->mimeData({foundModel->index(0, 0)}));
        QVERIFY(dragged);
        QCOMPARE(dragged->urls(), QList{QUrl::fromLocalFile(t.root() + "Work/Drafts/Image_2.png")});
        QCOMPARE(foundModel->supportedDragActions(), Qt::CopyAction);

        // The scope: the Image Set shown now. The picture chosen stays chosen in the new answer.
        t.choose("cboFindScope", "Image Set");
        QCOMPARE(found(t), QStringList{"Image_1.png | Work / Reports"});
        QCOMPARE(foundList->currentIndex().row(), 0);
        t.choose("cboFindScope", "Category");
        QCOMPARE(found(t).size(), 2);
        box->setText("holiday");
        QTRY_COMPARE(status->text(), "Nothing found");
        // An index that cannot be opened gives no answer, which is not "nothing found". Deleted,
        // it is made anew by the Find box's walk, with reading paused so that only the walk can.
        t.control<QCheckBox>("chkPauseCapturing")->click();
        const QString index =
            QDir(t.dir.path() + "/cache/Vistrelle").entryInfoList({"*.sqlite"}).value(0).filePath();
        QVERIFY(QFile::rename(index, index + ".away"));
        QVERIFY(QDir().mkdir(index)); // where no index can be made
        box->setText("cover");
        QTRY_COMPARE(status->text(), "The index cannot be opened");
        // Nor are the viewer's picture's words said not to be read yet.
        emit picture->customContextMenuRequested(picture->rect().center());
        auto* viewerMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(viewerMenu);
        viewerMenu->findChild<QAction*>("mnuCopyText")->trigger();
        viewerMenu->close();
        QVERIFY2(t.fakes.boxes.texts().last().startsWith("The index cannot be opened: "),
                 qPrintable(t.fakes.boxes.texts().last()));
        QVERIFY(QDir().rmdir(index));
        QVERIFY(QTest::qWaitFor([&] {
            QTest::keyClick(box, Qt::Key_Return);
            return status->text() == "Nothing found   Reading text: 0 of 4 (paused)";
        }));
        t.control<QCheckBox>("chkPauseCapturing")->click();
        QTRY_COMPARE(found(t), QStringList{"Image_0.png | Work / Reports"});
        box->setFocus();

        // Esc clears the box and gives the Image Set back.
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());
        QCOMPARE(t.shownSet(), "Work/Reports");
        QCOMPARE(status->text(), QString());

        // Moved by another program, a picture is found in its new place after Refresh, without
        // being read again.
        const int reads = t.fakes.reader.reads();
        QVERIFY(QFile::rename(t.root() + "Work/Drafts/Image_2.png", t.root() + "Home/Trips/Moved.png"));
        t.click("cmdRefresh");
        t.choose("cboFindScope", "Library");
        box->setText("forecast");
        QTRY_COMPARE(found(t), QStringList{"Moved.png | Home / Trips"});
        QCOMPARE(t.fakes.reader.reads(), reads);

        // A picture another program puts in the Image Set shown, renames or removes there is known
        // to Find without waiting for a walk of the library: searched for before it comes, its
        // words are found once it is there.
        t.choose("cboFindScope", "Image Set");
        box->setText("arriving");
        QTRY_COMPARE(status->text(), "Nothing found");
        const QString set = t.root() + "Work/Reports/";
        const QString file = makeImage(set + "n.png", QSize(8, 6), Qt::darkCyan);
        setModified(file, QDateTime::currentDateTime().addSecs(-60));
        t.fakes.reader.holds(file, "arriving words");
        QVERIFY(t.fakes.watcher.change(set));
        QTRY_COMPARE(found(t), QStringList{"n.png | Work / Reports"});
        QVERIFY(QFile::rename(file, set + "m.png"));
        QVERIFY(t.fakes.watcher.change(set));
        QTRY_COMPARE(found(t), QStringList{"m.png | Work / Reports"});
        QVERIFY(QFile::remove(set + "m.png"));
        QVERIFY(t.fakes.watcher.change(set));
        QTRY_COMPARE(found(t), QStringList());

        // A capture holds the reader the moment the clipboard changes.
        const int holds = t.fakes.reader.holdsAsked;
        t.fakes.clipboard.setImage(QImage(8, 8, QImage::Format_RGB32));
        QCOMPARE(t.fakes.reader.holdsAsked, holds + 1);
    }
};

QTEST_MAIN(tst_Find)
#include "tst_Find.moc"
