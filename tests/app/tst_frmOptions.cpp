#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

// The dialog as one line, its controls in this order, boxes as 1 or 0: "F 1 1 0 None 0 0 0 01 30 0 90 0 0".
// Fills the controls from \a line first when one is given.
QString dialog(QWidget& d, const QString& line = {})
{
    QStringList values;
    for (const char* name : {"cboActiveWindow", "chkActiveWindowCTRL", "chkActiveWindowSHIFT",
                             "chkActiveWindowALT", "cboTimeLapse", "chkTimeLapseCTRL", "chkTimeLapseSHIFT",
                             "chkTimeLapseALT", "cboTimeLapseMin", "cboTimeLapseSec", "chkTimeLapseSilent",
                             "cboQuality", "chkStartWithDesktop", "chkWindowTitleInFile"}) {
        const QString value = line.section(' ', values.size(), values.size());
        auto* box = d.findChild<QCheckBox*>(name);
        auto* list = d.findChild<QComboBox*>(name);
        if (!line.isEmpty())
            box ? box->setChecked(value == "1") : list->setCurrentText(value);
        values.append(box ? QString::number(box->isChecked()) : list->currentText());
    }
    return values.join(' ');
}

} // namespace

class tst_frmOptions : public QObject
{
    Q_OBJECT

private slots:
    // The dialog shows the settings read at the start; Cancel changes nothing, and OK stores
    // what it shows, saved at once; an interval longer than the lists hold (a hand-edited file)
    // survives an OK that leaves it. "Start with the desktop" is the autostart entry, which starts
    // the library in use. Find's languages are those installed, the chosen ticked, and the reader
    // reads in them from then on. The library given on the command line leaves the normal
    // library's Intro Set alone, unless Intro Set is chosen in that run. A combination another
    // program holds is told once, at the start or when chosen.
    void fromMainWindow()
    {
        QTemporaryDir other;
        AppUnderTest t({other.path()});
        TestLibrary::makeFolder(t.root() + "Trips/Summer");
        TestLibrary::makeFolder(other.path() + "/Vistrelles/Work/Screens");
        t.fakes.keys.held = {{19, 6}, {44, 4}};
        QVERIFY(t.start("FIRSTCAT=Trips\nFIRSTSET=Summer\nACTIVEWINDOW_HK=48\nACTIVEWINDOW_HKCS=3\n"
                        "TIMELAPSE_HK=19\nTIMELAPSE_HKCS=6\nTIMELAPSE_SECS=7200\nTIMELAPSE_SILENT=YES\n"
                        "FIND_LANGUAGES=eng+fra\n"));
        QTRY_COMPARE(t.fakes.reader.languages(), (QStringList{"eng", "fra"}));
        QTRY_COMPARE(t.fakes.boxes.texts(), QStringList{"Shift+Alt+Pause is taken by another program"});
        QVERIFY(t.inDialog("cmdOptions", [&](QWidget& d) {
            dialog(d, "Z 0 1 1 None 0 0 0 10 05 0 100 1 1");
            QTest::mouseClick(d.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
            QVERIFY(!d.isVisible());
        }));
        const QString entry = t.dir.path() + "/config/autostart/vistrelle.desktop";
        QVERIFY(!QFile::exists(entry));
        QString opened;
        QVERIFY(t.inDialog("cmdOptions", [&](QWidget& d) {
            opened = d.objectName() + ": " + dialog(d);
            for (auto* list : d.findChildren<QComboBox*>()) // typed text must never reach AppState
                opened += list->isEditable() ? " editable" : "";
            auto* languages = d.findChild<QListWidget*>("lstFindLanguages");
            for (int row = 0; row < languages->count(); ++row)
                opened +=
                    " " + languages->item(row)->text() + (languages->item(row)->checkState() ? "+" : "");
            dialog(d, "Print 0 0 1 F12 1 0 1 59 59 0 100 1 1");
            languages->item(0)->setCheckState(Qt::Checked);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        }));
        QCOMPARE(opened, "frmOptions: 0 1 1 0 Pause 0 1 1 59 59 1 90 0 0 deu eng+");
        const QByteArray text = TestLibrary::contents(t.settingsFile());
        QVERIFY(text.contains("FIRSTCAT=Trips\r\nFIRSTSET=Summer\r\n"));
        QVERIFY2(text.endsWith("\r\nJPEG_QUALITY=100\r\nACTIVEWINDOW_HK=44\r\nACTIVEWINDOW_HKCS=4\r\n"
                               "TIMELAPSE_HK=123\r\nTIMELAPSE_HKCS=5\r\nTIMELAPSE_SECS=7200\r\n"
                               "FIND_LANGUAGES=deu+eng\r\nWINDOW_TITLE_IN_FILE=YES\r\n"),
                 text.constData());
        QTRY_COMPARE(t.fakes.reader.languages(), (QStringList{"deu", "eng"}));
        QVERIFY(TestLibrary::contents(entry).contains(
            "\nExec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\" --low-resource -- \"" +
            other.path().toUtf8() + "/\"\n"));
        QVERIFY(t.inDialog("cmdOptions", [&](QWidget& d) {
            dialog(d, "Print 0 0 1 None 0 0 0 01 30 0 100 0 1");
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        }));
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(t.fakes.boxes.texts(), (QStringList{"Shift+Alt+Pause is taken by another program",
                                                     "Alt+Print is taken by another program"}));
        t.click("cmdFirstImageSet");
        const QByteArray last = TestLibrary::contents(t.settingsFile());
        QVERIFY2(last.contains("FIRSTCAT=Work\r\nFIRSTSET=Screens\r\n") &&
                     last.contains("\nTIMELAPSE_SECS=90\r\n"),
                 last.constData());
    }

    // Forget the words read: the index is emptied at once, then read again only when the user
    // answers Yes to the question; No is kept in the settings file, reading paused. The programs
    // never read are saved as names, repeats in another case left out.
    void forgettingWords_data()
    {
        QTest::addColumn<BoxAnswer>("answer");
        QTest::newRow("read again") << BoxAnswer::Yes;
        QTest::newRow("not read again") << BoxAnswer::No;
    }
    void forgettingWords()
    {
        QFETCH(BoxAnswer, answer);
        const bool again = answer == BoxAnswer::Yes;
        AppUnderTest t;
        const QString shot = TestLibrary::makeImage(t.root() + "Trips/Summer/Image_1.png");
        t.fakes.reader.holds(shot, "secret words");
        QVERIFY(t.start("FIRSTCAT=Trips\nFIRSTSET=Summer\n"));
        QTRY_COMPARE(t.fakes.reader.reads(), 1);
        bool ticked = !again;
        QVERIFY(t.inDialog("cmdOptions", [&](QWidget& d) {
            d.findChild<QLineEdit*>("txtUnreadPrograms")->setText(" KeePassXC, bank-browser ,keepassxc,");
            t.fakes.boxes.answers = {answer};
            QTest::mouseClick(d.findChild<QPushButton*>("cmdForgetWords"), Qt::LeftButton);
            ticked = d.findChild<QCheckBox*>("chkReadWords")->isChecked();
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        }));
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"The words read from your screenshots are forgotten.\n\nRead the words in your "
                             "screenshots again?  If not, nothing is read until you tick \"Read the words in "
                             "screenshots\" in Options."});
        QCOMPARE(ticked, again);
        const QByteArray text = TestLibrary::contents(t.settingsFile());
        QVERIFY2(text.contains("\nFIND_UNREAD_PROGRAMS=KeePassXC,bank-browser\r\n"), text.constData());
        QCOMPARE(text.contains("\nFIND_READ=NO\r\n"), !again);
        if (again) {
            QTRY_COMPARE(t.fakes.reader.reads(), 2);
        } else {
            QTRY_COMPARE(t.control<QLabel>("lblReading")->text(), "Reading text: 0 of 1 (paused)");
            QCOMPARE(t.fakes.reader.reads(), 1);
        }
    }
};

QTEST_MAIN(tst_frmOptions)
#include "tst_frmOptions.moc"
