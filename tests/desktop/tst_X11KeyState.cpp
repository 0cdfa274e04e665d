#include "desktop/x11/X11KeyState.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>

// Every key a settings file can name by its virtual-key code is seen down on the X keyboard,
// pressed by another program.
class tst_X11KeyState : public QObject
{
    Q_OBJECT

    static void key(const char* action, const QString& name)
    {
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QString::fromLatin1(action), name}), 0);
    }

private slots:
    void keysBeyondLettersAndDigits_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name"); // the X key
        QTest::newRow("letter") << int('K') << "k";
        QTest::newRow("F1") << 0x70 << "F1";
        QTest::newRow("F12") << 0x7B << "F12";
        QTest::newRow("left arrow") << 0x25 << "Left";
        QTest::newRow("page down") << 0x22 << "Next";
        QTest::newRow("delete") << 0x2E << "Delete";
        QTest::newRow("numeric pad 5") << 0x65 << "KP_5";
        QTest::newRow("numeric pad plus") << 0x6B << "KP_Add";
        QTest::newRow("minus") << 0xBD << "minus";
        QTest::newRow("closing bracket") << 0xDD << "bracketright";
    }

    void keysBeyondLettersAndDigits()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        X11KeyState keys;
        QCOMPARE(keys.asyncState(code), short(0));
        key("keydown", name);
        QTRY_VERIFY(keys.asyncState(code) < 0);
        key("keyup", name);
        QTRY_COMPARE(keys.asyncState(code), short(0));
    }
};

QTEST_MAIN(tst_X11KeyState)
#include "tst_X11KeyState.moc"
