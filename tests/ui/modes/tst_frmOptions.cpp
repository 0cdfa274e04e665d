#include "support/AppUnderTest.h"
#include "ui/modes/frmOptions.h"

#include <QCheckBox>

namespace {

// The dialog as one line, its controls in this order, boxes as 1 or 0: "F 1 1 None 0 0 01 30 0 90".
// Fills the controls from \a line first when one is given.
QString dialog(QWidget& d, const QString& line = {})
{
    QStringList values;
    for (const char* name : {"cboActiveWindow", "chkActiveWindowCTRL", "chkActiveWindowSHIFT", "cboTimeLapse",
                             "chkTimeLapseCTRL", "chkTimeLapseSHIFT", "cboTimeLapseMin", "cboTimeLapseSec",
                             "chkTimeLapseSilent", "cboQuality"}) {
        const QString value = line.section(' ', values.size(), values.size());
        auto* box = d.findChild<QCheckBox*>(name);
        auto* list = d.findChild<QComboBox*>(name);
        if (!line.isEmpty())
            box ? box->setChecked(value == "1") : list->setCurrentText(value);
        values.append(box ? QString::number(box->isChecked()) : list->currentText());
    }
    return values.join(' ');
}

// The option fields of AppState as one line, silence as 1 or 0: "70 3 0 0 90 0 90"; set from
// \a line first when one is given.
QString options(AppState& s, const QString& line = {})
{
    int AppState::*const fields[] = {&AppState::activeWindowHotkey, &AppState::activeWindowModifiers,
                                     &AppState::timeLapseHotkey,    &AppState::timeLapseModifiers,
                                     &AppState::timeLapseSeconds,   nullptr,
                                     &AppState::jpegQuality};
    QStringList values;
    for (int AppState::*field : fields) {
        const QString value = line.section(' ', values.size(), values.size());
        if (!line.isEmpty())
            field ? void(s.*field = value.toInt()) : void(s.timeLapseSilent = value == "1");
        values.append(QString::number(field ? s.*field : int(s.timeLapseSilent)));
    }
    return values.join(' ');
}

enum Way { Both, LoadOnly, OkOnly, OkUntouched };

} // namespace

class tst_frmOptions : public QObject
{
    Q_OBJECT

private slots:
    void loadAndOk_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("mapping"); // AppState fields -> dialog
        QTest::newRow("defaults") << int(Both) << "0 0 0 0 0 0 90 -> None 0 0 None 0 0 00 00 0 90";
        QTest::newRow("digits, CTRL and SHIFT") << int(Both) << "48 3 57 2 0 0 90 -> 0 1 1 9 0 1 00 00 0 90";
        QTest::newRow("01:30 is 90 s") << int(Both) << "65 0 90 0 90 0 1 -> A 0 0 Z 0 0 01 30 0 1";
        QTest::newRow("extremes") << int(Both) << "0 0 0 0 3599 1 100 -> None 0 0 None 0 0 59 59 1 100";
        QTest::newRow("None, boxes") << int(OkOnly) << "0 0 0 0 0 0 90 -> None 1 0 None 0 1 00 00 0 90";
        QTest::newRow("odd modifiers") << int(LoadOnly) << "65 7 66 -1 0 0 90 -> A 0 0 B 0 0 00 00 0 90";
        QTest::newRow("key not listed")
            << int(LoadOnly) << "112 3 0 0 0 0 90 -> None 1 1 None 0 0 00 00 0 90";
        QTest::newRow("long interval kept")
            << int(OkUntouched) << "0 0 0 0 7200 0 90 -> None 0 0 None 0 0 59 59 0 90";
    }
    void loadAndOk()
    {
        QFETCH(int, way);
        QFETCH(QString, mapping);
        const QString fields = mapping.section(" -> ", 0, 0), shown = mapping.section(" -> ", 1);
        AppState state;
        if (way != OkOnly) {
            options(state, fields);
            frmOptions d(state);
            QCOMPARE(dialog(d), shown);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            if (way == OkUntouched)
                QCOMPARE(options(state), fields);
        }
        if (way == Both || way == OkOnly) {
            options(state, "77 1 78 2 30 1 50");
            frmOptions d(state);
            QCOMPARE(dialog(d, shown), shown);
            QTest::mouseClick(d.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
            QCOMPARE(options(state), fields);
        }
    }

    void cancelChangesNothing()
    {
        for (const QString how : {"cmdCancel", "Escape", "close box"}) {
            AppState state;
            options(state, "70 3 48 1 90 1 75");
            frmOptions d(state);
            d.show();
            dialog(d, "Z 0 1 None 0 0 10 05 0 100");
            if (how == "cmdCancel")
                QTest::mouseClick(d.findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
            else if (how == "Escape")
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
            QVERIFY2(!d.isVisible(), qPrintable(how));
            QCOMPARE(options(state), "70 3 48 1 90 1 75");
        }
    }

    void fromMainWindow()
    {
        AppUnderTest t;
        QVERIFY(t.start());
        QString opened;
        QVERIFY(t.inDialog("cmdOptions", [&](QWidget& d) {
            opened = d.objectName() + ": " + dialog(d);
            for (auto* list : d.findChildren<QComboBox*>()) // typed text must never reach AppState
                opened += list->isEditable() ? " editable" : "";
            dialog(d, "F 1 1 None 0 0 01 30 0 90");
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
