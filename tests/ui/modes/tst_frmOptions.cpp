#include "core/AppState.h"
#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "ui/main/frmVistrelle.h"
#include "ui/modes/frmOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

template <typename T> T* control(QWidget& dialog, const char* name)
{
    auto* widget = dialog.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QString ticks(QWidget& dialog, const char* ctrl, const char* shift)
{
    return QString(control<QCheckBox>(dialog, ctrl)->isChecked() ? " ctrl" : "") +
           (control<QCheckBox>(dialog, shift)->isChecked() ? " shift" : "");
}

/// What the dialog shows, in one line: "F ctrl shift | None | 01:30 | silent | 90".
QString shown(QWidget& dialog)
{
    return control<QComboBox>(dialog, "cboActiveWindow")->currentText() +
           ticks(dialog, "chkActiveWindowCTRL", "chkActiveWindowSHIFT") + " | " +
           control<QComboBox>(dialog, "cboTimeLapse")->currentText() +
           ticks(dialog, "chkTimeLapseCTRL", "chkTimeLapseSHIFT") + " | " +
           control<QComboBox>(dialog, "cboTimeLapseMin")->currentText() + ":" +
           control<QComboBox>(dialog, "cboTimeLapseSec")->currentText() + " | " +
           (control<QCheckBox>(dialog, "chkTimeLapseSilent")->isChecked() ? "silent" : "sound") + " | " +
           control<QComboBox>(dialog, "cboQuality")->currentText();
}

/// The option fields of AppState in one line: "70/3 0/0 90s silent q90".
QString stored(const AppState& state)
{
    return QStringLiteral("%1/%2 %3/%4 %5s %6 q%7")
        .arg(state.activeWindowHotkey)
        .arg(state.activeWindowModifiers)
        .arg(state.timeLapseHotkey)
        .arg(state.timeLapseModifiers)
        .arg(state.timeLapseSeconds)
        .arg(state.timeLapseSilent ? "silent" : "sound")
        .arg(state.jpegQuality);
}

void choose(QWidget& dialog, const char* name, const QString& item)
{
    auto* combo = control<QComboBox>(dialog, name);
    const int row = combo->findText(item, Qt::MatchExactly);
    if (row < 0)
        qFatal("%s has no item %s", name, qPrintable(item));
    combo->setCurrentIndex(row);
}

/// Sets every control from one line in the form shown() gives.
void fill(QWidget& dialog, const QString& line)
{
    const QStringList parts = line.split(QStringLiteral(" | "));
    const QStringList active = parts[0].split(' ');
    const QStringList lapse = parts[1].split(' ');
    choose(dialog, "cboActiveWindow", active[0]);
    control<QCheckBox>(dialog, "chkActiveWindowCTRL")->setChecked(active.contains("ctrl"));
    control<QCheckBox>(dialog, "chkActiveWindowSHIFT")->setChecked(active.contains("shift"));
    choose(dialog, "cboTimeLapse", lapse[0]);
    control<QCheckBox>(dialog, "chkTimeLapseCTRL")->setChecked(lapse.contains("ctrl"));
    control<QCheckBox>(dialog, "chkTimeLapseSHIFT")->setChecked(lapse.contains("shift"));
    choose(dialog, "cboTimeLapseMin", parts[2].section(':', 0, 0));
    choose(dialog, "cboTimeLapseSec", parts[2].section(':', 1, 1));
    control<QCheckBox>(dialog, "chkTimeLapseSilent")->setChecked(parts[3] == "silent");
    choose(dialog, "cboQuality", parts[4]);
}

AppState stateOf(int activeKey, int activeModifiers, int lapseKey, int lapseModifiers, int seconds,
                 bool silent, int quality)
{
    AppState state;
    state.activeWindowHotkey = activeKey;
    state.activeWindowModifiers = activeModifiers;
    state.timeLapseHotkey = lapseKey;
    state.timeLapseModifiers = lapseModifiers;
    state.timeLapseSeconds = seconds;
    state.timeLapseSilent = silent;
    state.jpegQuality = quality;
    return state;
}

/// Runs \a act on the next modal dialog once it is up, then makes sure it is gone, so a
/// failing check cannot leave the test waiting for ever.
void onNextModal(std::function<void(QWidget&)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        poll->stop();
        poll->deleteLater();
        act(*modal);
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    poll->start(10);
}

} // namespace

Q_DECLARE_METATYPE(AppState)

class tst_frmOptions : public QObject
{
    Q_OBJECT

private slots:
    void lists();
    void load_data();
    void load();
    void ok_data();
    void ok();
    void cancel_data();
    void cancel();
    void intervalBeyondTheLists();
    void fromMainWindow();
};

void tst_frmOptions::lists()
{
    AppState state = stateOf(0, 0, 0, 0, 0, false, 90);
    frmOptions dialog(state);
    QCOMPARE(dialog.windowTitle(), "Vistrelle Options");
    const QStringList keys{"None", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B",
                           "C",    "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O",
                           "P",    "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    for (const char* name :
         {"cboActiveWindow", "cboTimeLapse", "cboTimeLapseMin", "cboTimeLapseSec", "cboQuality"}) {
        auto* combo = control<QComboBox>(dialog, name);
        QVERIFY2(!combo->isEditable(), name); // typed text never reaches AppState
        QStringList items;
        for (int row = 0; row < combo->count(); ++row)
            items.append(combo->itemText(row));
        const QString listName(name);
        if (listName == "cboActiveWindow" || listName == "cboTimeLapse") {
            QCOMPARE(items, keys);
        } else if (listName == "cboQuality") {
            QCOMPARE(items.size(), 100);
            QCOMPARE(items.first(), "1");
            QCOMPARE(items.at(8), "9");
            QCOMPARE(items.at(9), "10");
            QCOMPARE(items.last(), "100");
        } else {
            QCOMPARE(items.size(), 60);
            QCOMPARE(items.first(), "00");
            QCOMPARE(items.at(9), "09");
            QCOMPARE(items.last(), "59");
        }
    }
}

void tst_frmOptions::load_data()
{
    QTest::addColumn<AppState>("state");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults") << stateOf(0, 0, 0, 0, 0, false, 90) << "None | None | 00:00 | sound | 90";
    QTest::newRow("F with CTRL and SHIFT")
        << stateOf(70, 3, 0, 0, 0, false, 90) << "F ctrl shift | None | 00:00 | sound | 90";
    QTest::newRow("digit with CTRL") << stateOf(0, 0, 48, 1, 0, false, 90)
                                     << "None | 0 ctrl | 00:00 | sound | 90";
    QTest::newRow("Z with SHIFT") << stateOf(90, 2, 57, 0, 0, false, 90)
                                  << "Z shift | 9 | 00:00 | sound | 90";
    QTest::newRow("modifier code out of range")
        << stateOf(65, 7, 66, -1, 0, false, 90) << "A | B | 00:00 | sound | 90";
    QTest::newRow("key no item stands for")
        << stateOf(112, 3, 47, 1, 0, false, 90) << "None ctrl shift | None ctrl | 00:00 | sound | 90";
    QTest::newRow("90 seconds") << stateOf(0, 0, 0, 0, 90, false, 90) << "None | None | 01:30 | sound | 90";
    QTest::newRow("longest interval")
        << stateOf(0, 0, 0, 0, 3599, false, 90) << "None | None | 59:59 | sound | 90";
    QTest::newRow("silent, lowest quality")
        << stateOf(0, 0, 0, 0, 5, true, 1) << "None | None | 00:05 | silent | 1";
    QTest::newRow("highest quality") << stateOf(0, 0, 0, 0, 60, false, 100)
                                     << "None | None | 01:00 | sound | 100";
}

void tst_frmOptions::load()
{
    QFETCH(AppState, state);
    QFETCH(QString, expected);
    frmOptions dialog(state);
    QCOMPARE(shown(dialog), expected);
}

void tst_frmOptions::ok_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");

    QTest::newRow("F with CTRL and SHIFT") << "F ctrl shift | None | 00:00 | sound | 90"
                                           << "70/3 0/0 0s sound q90";
    QTest::newRow("None ignores the boxes") << "None ctrl | None shift | 00:00 | sound | 90"
                                            << "0/0 0/0 0s sound q90";
    QTest::newRow("digits and SHIFT") << "0 shift | 9 ctrl | 00:00 | sound | 90"
                                      << "48/2 57/1 0s sound q90";
    QTest::newRow("A and Z") << "A | Z ctrl shift | 00:00 | sound | 90"
                             << "65/0 90/3 0s sound q90";
    QTest::newRow("01:30") << "None | None | 01:30 | sound | 90"
                           << "0/0 0/0 90s sound q90";
    QTest::newRow("59:59") << "None | None | 59:59 | sound | 90"
                           << "0/0 0/0 3599s sound q90";
    QTest::newRow("silent, quality 1") << "None | None | 00:10 | silent | 1"
                                       << "0/0 0/0 10s silent q1";
    QTest::newRow("quality 100") << "None | None | 00:00 | sound | 100"
                                 << "0/0 0/0 0s sound q100";
}

void tst_frmOptions::ok()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    AppState state = stateOf(77, 1, 78, 2, 30, true, 50);
    frmOptions dialog(state);
    fill(dialog, chosen);
    QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    QCOMPARE(dialog.result(), QDialog::Accepted);
    QCOMPARE(stored(state), expected);

    frmOptions reopened(state);
    QCOMPARE(shown(reopened), chosen.replace("None ctrl", "None").replace("None shift", "None"));
}

void tst_frmOptions::cancel_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cmdCancel";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("close box") << "close";
}

void tst_frmOptions::cancel()
{
    QFETCH(QString, how);
    AppState state = stateOf(70, 3, 48, 1, 90, true, 75);
    const QString before = stored(state);
    frmOptions dialog(state);
    dialog.show();
    fill(dialog, "Z shift | None | 10:05 | sound | 100");
    if (how == "cmdCancel")
        QTest::mouseClick(control<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    else if (how == "Escape")
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), QDialog::Rejected);
    QCOMPARE(stored(state), before);
}

void tst_frmOptions::intervalBeyondTheLists()
{
    // An interval from a hand-edited settings file survives OK unless the user picks another.
    AppState state = stateOf(0, 0, 0, 0, 7200, false, 90);
    frmOptions untouched(state);
    QCOMPARE(shown(untouched), "None | None | 59:59 | sound | 90");
    QTest::mouseClick(control<QPushButton>(untouched, "cmdOK"), Qt::LeftButton);
    QCOMPARE(state.timeLapseSeconds, 7200);

    frmOptions changed(state);
    choose(changed, "cboTimeLapseSec", "58");
    QTest::mouseClick(control<QPushButton>(changed, "cmdOK"), Qt::LeftButton);
    QCOMPARE(state.timeLapseSeconds, 3598);
}

void tst_frmOptions::fromMainWindow()
{
    QTemporaryDir dir;
    FakeServices fakes;
    VistrelleApp app(fakes.services, dir.path(), {});
    QVERIFY(app.start());
    auto* cmdOptions = app.mainWindow()->findChild<QPushButton*>("cmdOptions");
    QVERIFY(cmdOptions->isEnabled());

    QString opened;
    onNextModal([&](QWidget& dialog) {
        opened = dialog.objectName() + ": " + shown(dialog);
        fill(dialog, "F ctrl shift | None | 01:30 | sound | 90");
        QTest::mouseClick(control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    QTest::mouseClick(cmdOptions, Qt::LeftButton);
    QCOMPARE(opened, "frmOptions: None | None | 00:00 | sound | 90");
    QCOMPARE(stored(app.state()), "70/3 0/0 90s sound q90");

    onNextModal([&](QWidget& dialog) { opened = shown(dialog); });
    QTest::mouseClick(cmdOptions, Qt::LeftButton);
    QCOMPARE(opened, "F ctrl shift | None | 01:30 | sound | 90");

    app.mainWindow()->close();
    QFile settings(dir.filePath("Vistrelle.ini"));
    QVERIFY(settings.open(QIODevice::ReadOnly));
    const QByteArray text = settings.readAll();
    QVERIFY2(text.contains("\r\nACTIVEWINDOW_HK=70\r\nACTIVEWINDOW_HKCS=3\r\nTIMELAPSE_SECS=90\r\n"),
             text.constData());
}

QTEST_MAIN(tst_frmOptions)
#include "tst_frmOptions.moc"
