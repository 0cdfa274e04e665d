#include "support/AppUnderTest.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class tst_frmHelp : public QObject
{
    Q_OBJECT

private slots:
    // From the main window: a failing page open leaves the dialog usable, Cancel closes it.
    void contentsAndClosing()
    {
        AppUnderTest t;
        QVERIFY(t.start());
        t.fakes.shell.succeeds = false; // page missing, or no viewer for it
        QVERIFY(t.inDialog("cmdHelp", [&](QWidget& d) {
            QCOMPARE(d.windowTitle(), "Vistrelle Help");
            QCOMPARE(d.findChild<QLabel*>("lblVersion")->text(), "Vistrelle Version 1.7");
            auto* cmdContents = d.findChild<QPushButton*>("cmdContents");
            auto* cmdExitHelp = d.findChild<QPushButton*>("cmdExitHelp");
            QCOMPARE(cmdContents->text() + "|" + cmdExitHelp->text(), "&C o n t e n t s|C &a n c e l");
            QTest::mouseClick(cmdContents, Qt::LeftButton);
            QTest::mouseClick(cmdContents, Qt::LeftButton);
            QVERIFY(d.isVisible());
            QTest::mouseClick(cmdExitHelp, Qt::LeftButton);
            QVERIFY(!d.isVisible());
        }));
        QCOMPARE(t.fakes.shell.opened, QStringList(2, t.programDir() + "Vistrelle.htm"));
        QVERIFY(t.inDialog("cmdHelp", [](QWidget& d) {
            QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        }));
    }
};

QTEST_MAIN(tst_frmHelp)
#include "tst_frmHelp.moc"
