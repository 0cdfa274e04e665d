#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "ui/main/frmVistrelle.h"
#include "ui/modes/frmHelp.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class tst_frmHelp : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void contents_data();
    void contents();
    void closing_data();
    void closing();
    void fromMainWindow();
};

void tst_frmHelp::layout()
{
    FakeShell shell;
    frmHelp dialog(shell, "/opt/v/");
    QCOMPARE(dialog.windowTitle(), "Vistrelle Help");
    QCOMPARE(dialog.findChild<QPushButton*>("cmdContents")->text(), "&C o n t e n t s");
    QCOMPARE(dialog.findChild<QPushButton*>("cmdExitHelp")->text(), "C &a n c e l");
    QCOMPARE(dialog.findChild<QLabel*>("lblVersion")->text(), "Vistrelle Version 1.7");
    QCOMPARE(dialog.findChild<QPushButton*>("cmdContents")->nextInFocusChain()->objectName(), "cmdExitHelp");
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QVERIFY(shell.opened.isEmpty());
}

void tst_frmHelp::contents_data()
{
    QTest::addColumn<bool>("opens");
    QTest::newRow("page opens") << true;
    QTest::newRow("page missing or no viewer") << false;
}

void tst_frmHelp::contents()
{
    QFETCH(bool, opens);
    FakeShell shell;
    shell.succeeds = opens;
    frmHelp dialog(shell, "/opt/vistrelle/");
    dialog.show();
    auto* cmdContents = dialog.findChild<QPushButton*>("cmdContents");
    QTest::mouseClick(cmdContents, Qt::LeftButton);
    QTest::mouseClick(cmdContents, Qt::LeftButton);
    QCOMPARE(shell.opened, QStringList({"/opt/vistrelle/Vistrelle.htm", "/opt/vistrelle/Vistrelle.htm"}));
    QVERIFY(dialog.isVisible());
}

void tst_frmHelp::closing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Escape") << true;
}

void tst_frmHelp::closing()
{
    QFETCH(bool, escape);
    FakeShell shell;
    frmHelp dialog(shell, "/opt/v/");
    dialog.show();
    if (escape)
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdExitHelp"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QVERIFY(shell.opened.isEmpty());
}

void tst_frmHelp::fromMainWindow()
{
    QTemporaryDir dir;
    FakeServices fakes;
    VistrelleApp app(fakes.services, dir.path(), {});
    QVERIFY(app.start());
    auto* cmdHelp = app.mainWindow()->findChild<QPushButton*>("cmdHelp");
    QVERIFY(cmdHelp->isEnabled());

    QString seen;
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        seen = dialog->objectName();
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdContents"), Qt::LeftButton);
        dialog->reject();
    });
    poll->start(10);
    QTest::mouseClick(cmdHelp, Qt::LeftButton);
    QCOMPARE(seen, "frmHelp");
    QCOMPARE(fakes.shell.opened, QStringList{dir.path() + "/Vistrelle.htm"});
}

QTEST_MAIN(tst_frmHelp)
#include "tst_frmHelp.moc"
