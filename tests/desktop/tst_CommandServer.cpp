#include "desktop/qt/CommandServer.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <sys/resource.h>
#include <unistd.h>

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

    void holdsOut_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::newRow("a socket left by a program that died") << "stale";
        QTest::newRow("a flood of idle clients") << "flood";
        QTest::newRow("no descriptor to spare") << "shortage";
        QTest::newRow("a runtime folder too deep for a socket's address") << "deep";
    }

    // A second start's command becomes a tap of its shortcut, answered only once taken, whatever
    // else happens; idle clients are cut off in time. The socket is the user's alone.
    void holdsOut()
    {
        QFETCH(QString, trouble);
        QTemporaryDir deep;
        if (trouble == "deep") {
            const QString folder = deep.path() + '/' + QString(120, 'd');
            QVERIFY(QDir().mkpath(folder));
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
            QVERIFY(QFile::encodeName(CommandSocketPath()).size() > 108);
        } else if (trouble == "stale") {
            QFile stale(CommandSocketPath());
            QVERIFY(stale.open(QIODevice::WriteOnly));
        }
        CommandServer server(m_shortcuts);
        QVERIFY(server.listen());
        if (trouble != "deep")
            QCOMPARE(QFileInfo(CommandSocketPath()).permissions() &
                         (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                     QFile::Permissions());
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int n = 0; n < (trouble == "flood" ? 3 * CommandServer::MaxClients : 3); ++n) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(CommandSocketPath());
            QVERIFY(trouble == "deep" || idle.back()->waitForConnected(1000));
        }
        rlimit old = {};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &old) == 0);
        if (trouble == "shortage") {
            // Every descriptor in use: the next one, as the server would accept it, is refused.
            const int next = ::dup(0);
            ::close(next);
            const rlimit none{static_cast<rlim_t>(next), old.rlim_max};
            QVERIFY(::setrlimit(RLIMIT_NOFILE, &none) == 0);
        }
        QTest::qWait(CommandServer::IdleMs / 4);
        ::setrlimit(RLIMIT_NOFILE, &old);
        QVERIFY(server.clients() <= CommandServer::MaxClients);
        for (const Shortcut shortcut : {Shortcut::TimeLapse, Shortcut::ActiveWindow}) {
            std::future<bool> sent =
                std::async(std::launch::async, [shortcut] { return SendShortcutCommand(shortcut); });
            QTRY_VERIFY(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            QVERIFY(sent.get());
            QVERIFY(m_shortcuts.fired(shortcut));
            QVERIFY(!m_shortcuts.fired(shortcut));
        }
        QTRY_COMPARE_WITH_TIMEOUT(server.clients(), 0, 2 * CommandServer::IdleMs);
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
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
