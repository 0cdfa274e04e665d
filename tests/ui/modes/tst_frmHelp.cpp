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
    void contentsAndClosing();
    void fromMainWindow();
};

void tst_frmHelp::contentsAndClosing()
{
    FakeShell shell;
    shell.succeeds = false; // page missing, or no viewer for it
    frmHelp d(shell, "/opt/vistrelle/");
    d.show();
    QCOMPARE(d.findChild<QLabel*>("lblVersion")->text(), "Vistrelle Version 1.7");
    auto* cmdContents = d.findChild<QPushButton*>("cmdContents");
    auto* cmdExitHelp = d.findChild<QPushButton*>("cmdExitHelp");
    QCOMPARE(cmdContents->text() + "|" + cmdExitHelp->text(), "&C o n t e n t s|C &a n c e l");
    QTest::mouseClick(cmdContents, Qt::LeftButton);
    QTest::mouseClick(cmdContents, Qt::LeftButton);
    QCOMPARE(shell.opened, QStringList({"/opt/vistrelle/Vistrelle.htm", "/opt/vistrelle/Vistrelle.htm"}));
    QVERIFY(d.isVisible()); // the dialog stays usable
    QTest::mouseClick(cmdExitHelp, Qt::LeftButton);
    QVERIFY(!d.isVisible());
}

void tst_frmHelp::fromMainWindow()
{
    QTemporaryDir dir;
    FakeServices fakes;
    VistrelleApp app(fakes.services, dir.path(), {});
    QVERIFY(app.start());
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget& d = *QApplication::activeModalWidget();
        title = d.windowTitle();
        QTest::mouseClick(d.findChild<QPushButton*>("cmdContents"), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QTest::mouseClick(app.mainWindow()->findChild<QPushButton*>("cmdHelp"), Qt::LeftButton);
    QCOMPARE(title, "Vistrelle Help");
    QCOMPARE(fakes.shell.opened, QStringList{dir.path() + "/Vistrelle.htm"});
}

QTEST_MAIN(tst_frmHelp)
#include "tst_frmHelp.moc"
