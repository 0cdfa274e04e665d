#include "desktop/qt/CommandServer.h"
#include "desktop/qt/LockFileInstance.h"
#include "desktop/qt/RuntimeFolder.h"
#include "platform/FileNames.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>
#include <future>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestLibrary;

namespace {

// What stands at \a path, not followed: a link and its target, a folder, a file or another kind.
QString standing(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link to " + info.symLinkTarget();
    return info.isDir() ? "folder" : info.isFile() ? "file" : "other";
}

} // namespace

// The process's own services: the lock that keeps one program to a user (to a library: the
// end-to-end start-up test), the private folder it lives in, and the socket a second start hands
// its commands to.
class tst_ProcessServices : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_base;
    ShortcutLatch m_shortcuts;

    void useRuntime(const QString& name)
    {
        makeFolder(m_base + name);
        QVERIFY(::chmod(NativePath(m_base + name).constData(), 0700) == 0);
        qputenv("XDG_RUNTIME_DIR", NativePath(m_base + name));
    }

private slots:
    void init()
    {
        // Each test's folder beside the last, not in the TMPDIR the last one set: nested, the
        // paths would grow past what a socket's address holds.
        static const QString outside = QDir::tempPath();
        m_dir = std::make_unique<QTemporaryDir>(outside + "/tst_ProcessServices-XXXXXX");
        m_base = m_dir->path() + '/';
        qputenv("TMPDIR", NativePath(m_base + "tmp"));
        qputenv("XDG_CACHE_HOME", NativePath(m_base + "cache"));
        makeFolder(m_base + "tmp");
    }

    // A second start's capture command, handed to the running program over its socket, becomes a
    // tap of its shortcut, answered only once taken, also after the program had no descriptor to
    // spare as idle clients came; anything else is refused and fires nothing, a line without an
    // end is cut off at once, and idle clients in time. (A socket left by a program that died, a runtime
    // folder too deep for a socket's address, the socket's mode and a flood of idle clients: the end-to-end
    // command and flood tests.)
    void holdsOut()
    {
        useRuntime("run");
        CommandServer server(m_shortcuts);
        QVERIFY(server.listen());
        // Asked first, while descriptors are free: the sanitizer's checks of the calls the server
        // makes then need some.
        QLocalSocket other;
        other.connectToServer(CommandSocketPath());
        QVERIFY(other.waitForConnected(5000));
        other.write("capture-everything\n");
        QTRY_VERIFY(other.canReadLine());
        QCOMPARE(other.readLine(), "unknown\n");
        QVERIFY(!m_shortcuts.fired(Shortcut::ActiveWindow) && !m_shortcuts.fired(Shortcut::TimeLapse));
        // A line that goes on without an end is cut off as it arrives, not read until the idle
        // check comes.
        QLocalSocket endless;
        endless.connectToServer(CommandSocketPath());
        QVERIFY(endless.waitForConnected(5000));
        QElapsedTimer sending;
        sending.start();
        endless.write(QByteArray(4096, 'x'));
        QTRY_COMPARE_WITH_TIMEOUT(endless.state(), QLocalSocket::UnconnectedState, 2 * CommandServer::IdleMs);
        QVERIFY2(sending.elapsed() < CommandServer::IdleMs, qPrintable(QString::number(sending.elapsed())));
        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int n = 0; n < 3; ++n) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(CommandSocketPath());
            QVERIFY(idle.back()->waitForConnected(1000));
        }
        // Every descriptor in use: the next one, as the server would accept it, is refused.
        rlimit old = {};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &old) == 0);
        const int next = ::dup(0);
        ::close(next);
        const rlimit none{static_cast<rlim_t>(next), old.rlim_max};
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &none) == 0);
        QTest::qWait(CommandServer::IdleMs / 4);
        ::setrlimit(RLIMIT_NOFILE, &old);
        for (const Shortcut shortcut : {Shortcut::TimeLapse, Shortcut::ActiveWindow}) {
            std::future<bool> sent =
                std::async(std::launch::async, [shortcut] { return SendShortcutCommand(shortcut); });
            QTRY_VERIFY(sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            QVERIFY(sent.get());
            QVERIFY(m_shortcuts.fired(shortcut));
            QVERIFY(!m_shortcuts.fired(shortcut));
        }
        QTRY_COMPARE_WITH_TIMEOUT(server.clients(), 0, 2 * CommandServer::IdleMs);
    }

    void runtimeFolderAndLock_data()
    {
        // XDG_RUNTIME_DIR: "private" (the user's own), "unset", "open" (the user's, open to all),
        // "foreign" (another user's) | what stands at tmp/vistrelle-UID before | what stands at the
        // lock path before | the folder used: the private one, "tmp" (tmp/vistrelle-UID) or "cache"
        // (cache/vistrelle-runtime-UID).
        QTest::addColumn<QString>("row");
        QTest::newRow("private") << "private |  |  | private";
        QTest::newRow("unset") << "unset |  |  | tmp";
        QTest::newRow("open to others") << "open |  |  | tmp";
        QTest::newRow("another user's") << "foreign |  |  | tmp";
        QTest::newRow("made earlier, opened since") << "unset | own open folder |  | tmp";
        QTest::newRow("another user's in the way") << "unset | foreign folder |  | cache";
        QTest::newRow("a link in the way") << "unset | link |  | cache";
        QTest::newRow("a lock left by a program that died") << "private |  | file | private";
        QTest::newRow("a lock that is a link leading nowhere") << "private |  | link | private";
        QTest::newRow("a lock that is a link to a file of the user's")
            << "private |  | link to secrets | private";
        QTest::newRow("a folder at the lock's place") << "private |  | folder | private";
        QTest::newRow("a pipe at the lock's place") << "private |  | pipe | private";
    }

    // Without a usable XDG_RUNTIME_DIR the program makes a folder of its own and checks it, so no
    // other user can stop it from starting or reach its socket. Whatever stands at the lock path,
    // the first program runs and a second is refused, as long as the first runs; nothing there is
    // read, followed, waited on or changed.
    void runtimeFolderAndLock()
    {
        QFETCH(QString, row);
        const QStringList parts = row.split(" | ");
        const QString &given = parts[0], &taken = parts[1], &found = parts[2], &used = parts[3];
        const QString uid = QString::number(::getuid());
        const QString temporary = m_base + "tmp/vistrelle-" + uid;
        if ((given == "foreign" || taken == "foreign folder") && ::geteuid() != 0)
            QSKIP("Giving a folder to another user needs root; skipped.");
        if (given == "unset") {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            useRuntime("private");
            if (given == "open")
                QVERIFY(::chmod(NativePath(m_base + "private").constData(), 0777) == 0);
            if (given == "foreign")
                QVERIFY(::chown(NativePath(m_base + "private").constData(), 65534, 65534) == 0);
        }
        if (taken == "link") {
            makeFolder(m_base + "elsewhere");
            QVERIFY(QFile::link(m_base + "elsewhere", temporary));
        } else if (!taken.isEmpty()) {
            makeFolder(temporary);
            QVERIFY(::chmod(NativePath(temporary).constData(), 0777) == 0);
            if (taken == "foreign folder")
                QVERIFY(::chown(NativePath(temporary).constData(), 65534, 65534) == 0);
        }
        const QString folder = RuntimeFolder();
        QCOMPARE(folder, used == "tmp"     ? temporary
                         : used == "cache" ? m_base + "cache/vistrelle-runtime-" + uid
                                           : m_base + used);
        struct stat info = {};
        QVERIFY(::lstat(NativePath(folder).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, 0700u); // a link's would be 0777

        const QString lock = folder + "/vistrelle.lock";
        makeFile(m_base + "secrets", "root:x:0:0");
        if (found == "file")
            makeFile(lock, "2147483000\nvistrelle\n");
        else if (found == "link")
            QVERIFY(QFile::link(m_base + "nowhere", lock));
        else if (found == "link to secrets")
            QVERIFY(QFile::link(m_base + "secrets", lock));
        else if (found == "folder")
            makeFolder(lock);
        else if (found == "pipe")
            QVERIFY(::mkfifo(NativePath(lock).constData(), 0600) == 0);
        const QString before = standing(lock);
        // A pipe with no writer would hold a plain open() for ever: the alarm ends a test that waits.
        ::alarm(20);
        {
            LockFileInstance first;
            QVERIFY(first.acquire());
            LockFileInstance second;
            QVERIFY(!second.acquire());
        }
        LockFileInstance third;
        QVERIFY(third.acquire());
        ::alarm(0);
        if (!found.isEmpty())
            QCOMPARE(standing(lock), before);
        QVERIFY(!QFileInfo::exists(m_base + "nowhere"));
        QCOMPARE(contents(m_base + "secrets"), "root:x:0:0");
        // Another user's folder is left as it was.
        if (taken == "foreign folder") {
            QVERIFY(::lstat(NativePath(temporary).constData(), &info) == 0);
            QCOMPARE(info.st_mode & 0777, 0777u);
        }
    }
};

QTEST_GUILESS_MAIN(tst_ProcessServices)
#include "tst_ProcessServices.moc"
