#include "desktop/x11/X11KeyState.h"

#include <QProcess>
#include <QtTest>

// The hotkey keys read from a private X server, typed there by xdotool: each press is latched
// with the modifiers held at that press.
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
};

QTEST_GUILESS_MAIN(tst_X11KeyState)
#include "tst_X11KeyState.moc"
