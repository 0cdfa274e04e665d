#include "support/AppUnderTest.h"
#include "ui/modes/frmHelp.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class tst_frmHelp : public QObject
{
    Q_OBJECT

private slots:
    void contentsAndClosing()
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

    void fromMainWindow()
    {
        AppUnderTest t;
        QVERIFY(t.start());
        QString title;
        QVERIFY(t.inDialog("cmdHelp", [&](QWidget& d) {
            title = d.windowTitle();
            QTest::mouseClick(d.findChild<QPushButton*>("cmdContents"), Qt::LeftButton);
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        }));
        QCOMPARE(title, "Vistrelle Help");
        QCOMPARE(t.fakes.shell.opened, QStringList{t.programDir() + "Vistrelle.htm"});
    }
};

QTEST_MAIN(tst_frmHelp)
#include "tst_frmHelp.moc"
