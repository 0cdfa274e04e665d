#include "support/AppUnderTest.h"
#include "ui/modes/frmOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace {

// A dialog as one line, its controls in this order, boxes as 1 or 0: "F 1 1 None 0 0 01 30 0 90".
const char* const controls[] = {"cboActiveWindow", "chkActiveWindowCTRL", "chkActiveWindowSHIFT",
                                "cboTimeLapse",    "chkTimeLapseCTRL",    "chkTimeLapseSHIFT",
                                "cboTimeLapseMin", "cboTimeLapseSec",     "chkTimeLapseSilent",
                                "cboQuality"};

QString shown(QWidget& d)
{
    QStringList values;
    for (const char* name : controls)
        if (auto* box = d.findChild<QCheckBox*>(name))
            values.append(box->isChecked() ? "1" : "0");
        else
            values.append(d.findChild<QComboBox*>(name)->currentText());
    return values.join(' ');
}

void fill(QWidget& d, const QString& line)
{
    const QStringList values = line.split(' ');
    for (int i = 0; i < values.size(); ++i)
        if (auto* box = d.findChild<QCheckBox*>(controls[i]))
            box->setChecked(values[i] == "1");
        else
            d.findChild<QComboBox*>(controls[i])->setCurrentText(values[i]);
}

// The option fields of AppState as one line, silence as 1 or 0: "70 3 0 0 90 0 90".
int AppState::*const fields[] = {&AppState::activeWindowHotkey, &AppState::activeWindowModifiers,
                                 &AppState::timeLapseHotkey,    &AppState::timeLapseModifiers,
                                 &AppState::timeLapseSeconds,   &AppState::jpegQuality};

QString stored(const AppState& s)
{
    QStringList values;
    for (auto field : fields)
        values.append(QString::number(s.*field));
    values.insert(5, s.timeLapseSilent ? "1" : "0");
    return values.join(' ');
}

AppState stateFrom(const QString& line)
{
    QStringList values = line.split(' ');
    AppState s;
    s.timeLapseSilent = values.takeAt(5) == "1";
    for (int i = 0; i < values.size(); ++i)
        s.*fields[i] = values[i].toInt();
    return s;
}

enum Way { Both, LoadOnly, OkOnly, OkUntouched };

} // namespace

class tst_frmOptions : public QObject
{
    Q_OBJECT

private slots:
    void loadAndOk_data()
    {
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("way");

        QTest::newRow("defaults") << "0 0 0 0 0 0 90"
                                  << "None 0 0 None 0 0 00 00 0 90" << int(Both);
        QTest::newRow("F, CTRL and SHIFT") << "70 3 0 0 0 0 90"
                                           << "F 1 1 None 0 0 00 00 0 90" << int(Both);
        QTest::newRow("digits, one box each") << "48 1 57 2 0 0 90"
                                              << "0 1 0 9 0 1 00 00 0 90" << int(Both);
        QTest::newRow("01:30 is 90 s") << "65 0 90 0 90 0 90"
                                       << "A 0 0 Z 0 0 01 30 0 90" << int(Both);
        QTest::newRow("extremes, silent") << "0 0 0 0 3599 1 1"
                                          << "None 0 0 None 0 0 59 59 1 1" << int(Both);
        QTest::newRow("quality 100") << "0 0 0 0 60 0 100"
                                     << "None 0 0 None 0 0 01 00 0 100" << int(Both);
        QTest::newRow("None ignores the boxes") << "0 0 0 0 0 0 90"
                                                << "None 1 0 None 0 1 00 00 0 90" << int(OkOnly);
        QTest::newRow("unknown modifier codes") << "65 7 66 -1 0 0 90"
                                                << "A 0 0 B 0 0 00 00 0 90" << int(LoadOnly);
        QTest::newRow("key code without item") << "112 3 0 0 0 0 90"
                                               << "None 1 1 None 0 0 00 00 0 90" << int(LoadOnly);
        QTest::newRow("interval beyond the lists kept") << "0 0 0 0 7200 0 90"
                                                        << "None 0 0 None 0 0 59 59 0 90" << int(OkUntouched);
    }

    void loadAndOk()
    {
        QFETCH(QString, fields);
        QFETCH(QString, dialog);
        QFETCH(int, way);
        if (way != OkOnly) {
            AppState state = stateFrom(fields);
            frmOptions d(state);
            QCOMPARE(shown(d), dialog);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            if (way == OkUntouched)
                QCOMPARE(stored(state), fields);
        }
        if (way == Both || way == OkOnly) {
            AppState state = stateFrom("77 1 78 2 30 1 50");
            frmOptions d(state);
            fill(d, dialog);
            QCOMPARE(shown(d), dialog);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            QCOMPARE(stored(state), fields);
        }
    }

    void cancelChangesNothing()
    {
        for (const QString how : {"cmdCancel", "Escape", "close box"}) {
            AppState state = stateFrom("70 3 48 1 90 1 75");
            frmOptions d(state);
            d.show();
            fill(d, "Z 0 1 None 0 0 10 05 0 100");
            if (how == "cmdCancel")
                QTest::mouseClick(d.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
            else if (how == "Escape")
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
            QVERIFY2(!d.isVisible(), qPrintable(how));
            QCOMPARE(stored(state), "70 3 48 1 90 1 75");
        }
    }

    void fromMainWindow()
    {
        AppUnderTest t;
        QVERIFY(t.start());
        QString opened;
        QVERIFY(t.inDialog("cmdOptions", [&](QWidget& d) {
            opened = d.objectName() + ": " + shown(d);
            for (auto* list : d.findChildren<QComboBox*>()) // typed text must never reach AppState
                opened += list->isEditable() ? " editable" : "";
            fill(d, "F 1 1 None 0 0 01 30 0 90");
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        }));
        QCOMPARE(opened, "frmOptions: None 0 0 None 0 0 00 00 0 90");
        const QByteArray text = t.settingsAfterClose();
        QVERIFY2(text.contains("\r\nACTIVEWINDOW_HK=70\r\nACTIVEWINDOW_HKCS=3\r\nTIMELAPSE_SECS=90\r\n"),
                 text.constData());
    }
};

QTEST_MAIN(tst_frmOptions)
#include "tst_frmOptions.moc"
