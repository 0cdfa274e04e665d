#include "desktop/x11/X11KeyState.h"

#include <QProcess>
#include <QtTest>

// The hotkey keys read from a private X server, typed there by xdotool: every key a settings file
// can name by its virtual-key code is seen down, its press latched with the modifiers held at that
// press, not those pressed or let go since.
class tst_X11KeyState : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("typed"); // xdotool's words, the key last held down
        QTest::addColumn<int>("modifiers");
        QTest::newRow("letter, Ctrl+Shift let go since")
            << int('K') << "keydown ctrl keydown shift keydown k keyup shift keyup ctrl" << 3;
        QTest::newRow("F12, Shift, then Ctrl held")
            << 0x7B << "keydown shift keydown F12 keyup shift keydown ctrl" << 2;
        QTest::newRow("left arrow") << 0x25 << "keydown Left" << 0;
        QTest::newRow("page down") << 0x22 << "keydown Next" << 0;
        QTest::newRow("numeric pad 5") << 0x65 << "keydown KP_5" << 0;
        QTest::newRow("numeric pad plus") << 0x6B << "keydown KP_Add" << 0;
        QTest::newRow("closing bracket") << 0xDD << "keydown bracketright" << 0;
    }
    void keys()
    {
        QFETCH(int, code);
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        X11KeyState keys;
        QCOMPARE(keys.asyncState(code), short(0));
        // The server lets go of a key when the client that pressed it disconnects, so one
        // xdotool reading its commands from a pipe holds the keys down until told otherwise,
        // however long a loaded machine takes to look.
        QProcess typist;
        typist.start("xdotool", {"-"});
        QVERIFY(typist.waitForStarted());
        typist.write(typed.toLatin1() + '\n');
        QTRY_VERIFY(keys.asyncState(code) < 0);
        QCOMPARE(keys.modifiersAtPress(code), std::optional(modifiers));
        typist.write(typed.replace("keydown", "keyup").toLatin1() + '\n');
        typist.closeWriteChannel();
        QVERIFY(typist.waitForFinished());
        QCOMPARE(typist.exitCode(), 0);
        QTRY_COMPARE(keys.asyncState(code), short(0));
    }
};

QTEST_GUILESS_MAIN(tst_X11KeyState)
#include "tst_X11KeyState.moc"
