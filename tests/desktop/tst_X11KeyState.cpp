#include "desktop/x11/X11KeyState.h"

#include <QProcess>
#include <QtTest>

// The hotkey keys read from a private X server, typed there by xdotool: each press is latched
// with the modifiers held at that press, and every key a settings file can name by its
// virtual-key code is seen down.
class tst_X11KeyState : public QObject
{
    Q_OBJECT

private slots:
    void modifiersOfEachPress_data()
    {
        QTest::addColumn<QString>("typed"); // xdotool's words
        QTest::addColumn<int>("modifiers");
        QTest::newRow("a plain k, then Ctrl+Shift held") << "key k keydown ctrl keydown shift" << 0;
        QTest::newRow("Ctrl+Shift+K, all let go")
            << "keydown ctrl keydown shift key k keyup shift keyup ctrl" << 3;
        QTest::newRow("Shift+K, then Ctrl held") << "keydown shift key k keyup shift keydown ctrl" << 2;
    }
    void modifiersOfEachPress()
    {
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        X11KeyState keys;
        QCOMPARE(QProcess::execute("xdotool", typed.split(' ')), 0);
        // Read as the events arrive, however late a loaded machine delivers them.
        QTRY_COMPARE(keys.modifiersAtPress('K'), std::optional(modifiers));
        QCOMPARE(QProcess::execute("xdotool", {"keyup", "ctrl", "keyup", "shift"}), 0);
    }

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
        // The server lets go of a key when the client that pressed it disconnects, so one
        // xdotool reading its commands from a pipe holds the key down until told otherwise,
        // however long a loaded machine takes to look.
        QProcess typist;
        typist.start("xdotool", {"-"});
        QVERIFY(typist.waitForStarted());
        typist.write(QStringLiteral("keydown %1\n").arg(name).toLatin1());
        QTRY_VERIFY(keys.asyncState(code) < 0);
        typist.write(QStringLiteral("keyup %1\n").arg(name).toLatin1());
        typist.closeWriteChannel();
        QVERIFY(typist.waitForFinished());
        QCOMPARE(typist.exitCode(), 0);
        QTRY_COMPARE(keys.asyncState(code), short(0));
    }
};

QTEST_GUILESS_MAIN(tst_X11KeyState)
#include "tst_X11KeyState.moc"
