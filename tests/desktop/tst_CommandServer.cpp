#include "desktop/qt/CommandServer.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <future>

// The capture commands of a second start, handed to the running program over a socket that
// only the user may open.
class tst_CommandServer : public QObject
{
    Q_OBJECT

    QTemporaryDir m_runtime;
    ShortcutLatch m_shortcuts;

private slots:
    void initTestCase()
    {
        QVERIFY(m_runtime.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    }

    void noProgramRunning() { QVERIFY(!SendShortcutCommand(Shortcut::ActiveWindow)); }

    // A second start's command becomes a tap of its shortcut, answered only once taken; the
    // socket, replacing one left by a program that died, is the user's alone.
    void handedOver()
    {
        QFile stale(CommandSocketPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        CommandServer server(m_shortcuts);
        QVERIFY(server.listen());
        QCOMPARE(QFileInfo(CommandSocketPath()).permissions() &
                     (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        for (const Shortcut shortcut : {Shortcut::TimeLapse, Shortcut::ActiveWindow}) {
            std::future<bool> sent =
                std::async(std::launch::async, [shortcut] { return SendShortcutCommand(shortcut); });
            QTRY_VERIFY(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            QVERIFY(sent.get());
            QVERIFY(m_shortcuts.fired(shortcut));
            QVERIFY(!m_shortcuts.fired(shortcut));
        }
    }

    // Anything else is refused and fires nothing.
    void unknownCommand()
    {
        CommandServer server(m_shortcuts);
        QVERIFY(server.listen());
        QLocalSocket socket;
        socket.connectToServer(CommandSocketPath());
        QVERIFY(socket.waitForConnected(5000));
        socket.write("capture-everything\n");
        QTRY_VERIFY(socket.canReadLine());
        QCOMPARE(socket.readLine(), "unknown\n");
        QVERIFY(!m_shortcuts.fired(Shortcut::ActiveWindow));
        QVERIFY(!m_shortcuts.fired(Shortcut::TimeLapse));
    }
};

QTEST_GUILESS_MAIN(tst_CommandServer)
#include "tst_CommandServer.moc"
