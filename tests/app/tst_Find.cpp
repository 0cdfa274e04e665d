#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/frmImage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

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
        auto* list = t.control<QListWidget>("lstFound");
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text().replace('\n', " | ");
        return lines;
    }

private slots:
    void findingChoosingAndGoingBack()
    {
        AppUnderTest t;
        // Pictures of their own colours, each newer than the one before: path, then words.
        const QStringList pictures{
            "Work/Reports/Image_0.png: cover page", "Work/Reports/Image_1.png: quarterly revenue",
            "Work/Drafts/Image_2.png: revenue forecast", "Home/Trips/Image_3.png: holiday photos"};
        for (int n = 0; n < pictures.size(); ++n) {
            const QString file = makeImage(t.root() + pictures[n].section(": ", 0, 0), QSize(8, 6),
                                           QColor::fromRgb(0x102030 * (n + 1)));
            setModified(file, QDateTime::currentDateTime().addSecs(100 * (n - 4)));
            t.fakes.reader.holds(file, pictures[n].section(": ", 1));
        }
        std::atomic_bool hold = true;
        t.fakes.reader.whileReading = [&](const std::atomic_bool& stop) {
            while (hold && !stop)
                QThread::msleep(5);
        };
        QVERIFY(t.start());
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
        t.control<QListWidget>("lstFound")->setCurrentRow(1);
        QCOMPARE(t.shownSet(), "Work/Reports");
        QCOMPARE(t.list()->currentIndex().data().toString(), "Image_1.png");
        QCOMPARE(t.app.imageViewer().findChild<QWidget*>("imgImageBox")->toolTip(), "Image_1.png");

        // The scope: the Image Set shown now.
        t.choose("cboFindScope", "Image Set");
        QCOMPARE(found(t), QStringList{"Image_1.png | Work / Reports"});
        t.choose("cboFindScope", "Category");
        QCOMPARE(found(t).size(), 2);
        box->setText("holiday");
        QTRY_COMPARE(status->text(), "Nothing found");

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
    }
};

QTEST_MAIN(tst_Find)
#include "tst_Find.moc"
