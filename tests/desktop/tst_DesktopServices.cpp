#include "desktop/qt/DesktopNotifications.h"
#include "desktop/qt/DesktopShell.h"
#include "platform/FileNames.h"
#include "support/TestLibrary.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace TestLibrary;

namespace {

const QString notificationsName = "org.freedesktop.Notifications";
const QString notificationsPath = "/org/freedesktop/Notifications";
const QString fileManagerName = "org.freedesktop.FileManager1";

// The desktop's notification server and file manager, on a connection and thread of their own
// on the private session bus the test runs in (one that starts no service). Records what it
// was asked; a call of another signature is refused, as the real ones refuse it.
class StandIn final : public QDBusVirtualObject
{
public:
    struct Notification
    {
        uint replaces = 0;
        QString summary;
    };
    QList<Notification> notifications;
    QStringList shown; // the URIs given to ShowItems, and the startup id
    // While held back, each answer waits for a release (at most 5 s): a caller that waited
    // for it would take that long.
    bool heldBack = false;
    QSemaphore answers;
    bool fileManagerFails = false;
    bool closeFails = false; // the notification to close is gone already
    uint numbered = 0;
    QList<uint> closing; // the notifications asked to close

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QList<QVariant> arguments = message.arguments();
        if (message.member() == "Settle") {
            connection.send(message.createReply());
            return true;
        }
        if (heldBack)
            answers.tryAcquire(1, 5000);
        if (message.member() == "Notify" && message.signature() == "susssasa{sv}i") {
            const Notification asked{arguments[1].toUInt(), arguments[3].toString()};
            notifications.append(asked);
            const uint id = asked.replaces ? asked.replaces : ++numbered;
            connection.send(message.createReply(QVariant::fromValue(id)));
        } else if (message.member() == "ShowItems" && message.signature() == "ass") {
            if (fileManagerFails) {
                connection.send(
                    message.createErrorReply(QDBusError::Failed, "The folder could not be shown"));
                return true;
            }
            shown = arguments[0].toStringList() << arguments[1].toString();
            connection.send(message.createReply());
        } else if (message.member() == "CloseNotification") {
            closing.append(arguments[0].toUInt());
            connection.send(closeFails
                                ? message.createErrorReply(QDBusError::InvalidArgs, "No such notification")
                                : message.createReply());
        } else {
            return false;
        }
        return true;
    }
};

QString programLine(const QString& id, const QString& name, const QString& icon)
{
    return id + " | " + name + " | " + icon;
}

} // namespace

// The desktop's services as the desktop offers them: the programs registered for a file's type
// (test desktop entries in private data folders, one chosen in mimeapps.list), starting one on
// a file, the opener (a stand-in xdg-open on the PATH), showing a file in the file manager, and
// notifications; the file manager and the notification server played by a stand-in on a
// private session bus.
class tst_DesktopServices : public QObject
{
    Q_OBJECT

    QThread m_thread;
    StandIn m_standIn;
    QTemporaryDir m_dir;
    QString m_base;
    QString m_standInName; // the stand-in's own name on the bus, whatever names it serves
    const QString m_viewer = "vistrelle-test-viewer.desktop", m_editor = "vistrelle-test-editor.desktop";

    // Runs \a change on the stand-in's thread, so nothing it reads is changed while it answers.
    void onStandIn(const std::function<void()>& change)
    {
        QMetaObject::invokeMethod(&m_standIn, change, Qt::BlockingQueuedConnection);
    }

    // What the stand-in recorded in \a field, read on its thread.
    template <typename T> T recorded(T StandIn::*field)
    {
        T value;
        onStandIn([&] { value = m_standIn.*field; });
        return value;
    }
    QList<StandIn::Notification> asked() { return recorded(&StandIn::notifications); }

    void serve(const QString& name, bool serving)
    {
        onStandIn([&] {
            QDBusConnection bus("stand-in");
            serving ? bus.registerService(name) : bus.unregisterService(name);
        });
    }

    // Sends the notification server's signal \a member about the notification \a id.
    void tell(const char* member, uint id, const QVariant& detail)
    {
        onStandIn([&] {
            QDBusMessage message = QDBusMessage::createSignal(notificationsPath, notificationsName, member);
            message << id << detail;
            QDBusConnection("stand-in").send(message);
        });
    }

    // Returns once everything the stand-in and the bus sent before has been taken in here: their
    // messages come in order, before the answer to this call.
    void settle()
    {
        QDBusConnection::sessionBus().call(
            QDBusMessage::createMethodCall(m_standInName, notificationsPath, "org.vistrelle.Test", "Settle"));
        QCoreApplication::processEvents();
    }

    // A file of the test's folder: "NAME | KIND", NAME the name's bytes, KIND one of png, text,
    // folder, none (nothing there).
    QString made(const QByteArray& file)
    {
        const qsizetype bar = file.indexOf(" | ");
        const QString path = PathFromNative(NativePath(m_base) + file.left(bar));
        const QByteArray kind = file.mid(bar + 3);
        // A PNG of 3x2 pixels.
        const QByteArray bytes =
            kind == "png" ? QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAE"
                                                   "UlEQVR4nGP4z8DA8B+GIBQAPdYF+1Gy5SQAAAAASUVORK5CYII=")
                          : "Notes on the screenshots of Tuesday.\n";
        if (kind == "folder")
            makeFolder(path);
        else if (kind != "none")
            makeFile(path, bytes);
        return path;
    }

    QString binary(const QString& name) { return m_base + "bin/" + name; }

    // Makes the program \a name in the test's bin folder: it writes its arguments, one a line,
    // beside itself, then runs \a then.
    void makeProgram(const QString& name, const QString& then = QString())
    {
        makeFile(binary(name), "#!/bin/sh\nprintf '%s\\n' \"$@\" >\"$0.args\"\n" + then.toUtf8() + '\n');
        QFile::setPermissions(binary(name), QFile::ReadOwner | QFile::ExeOwner);
    }

    void makeEntry(const QString& id, const QString& lines)
    {
        makeFile(m_base + "data/applications/" + id,
                 ("[Desktop Entry]\nType=Application\n" + lines + '\n').toUtf8());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_base = m_dir.path() + '/';
        // GIO reads these once, at its first use: before any.
        qputenv("XDG_DATA_HOME", NativePath(m_base + "data"));
        qputenv("XDG_DATA_DIRS", NativePath(m_base + "system"));
        qputenv("XDG_CONFIG_HOME", NativePath(m_base + "config"));
        qputenv("XDG_CONFIG_DIRS", NativePath(m_base + "system-config"));
        qunsetenv("XDG_CURRENT_DESKTOP");
        makeFolder(m_base + "system");
        QVERIFY(QFile::link("/usr/share/mime", m_base + "system/mime")); // the types, not the programs
        for (const char* name : {"viewer", "editor", "reader"})
            makeProgram(name);
        makeEntry(m_viewer, "Name=Test Viewer\nIcon=test-viewer\nMimeType=image/png;image/jpeg;\nExec=" +
                                binary("viewer") + " %f");
        // Given the URIs themselves, not the paths GIO would make of them.
        makeEntry(m_editor, "Name=Test Editor\nIcon=" + m_base + "editor.png\nMimeType=image/png;\nExec=" +
                                binary("editor") + " %U\nX-GIO-NoFuse=true");
        makeEntry("vistrelle-test-starter.desktop",
                  "Name=Test Starter\nMimeType=image/png;\nExec=" + binary("viewer"));
        makeEntry("vistrelle-test-reader.desktop",
                  "Name=Test Reader\nMimeType=text/plain;\nExec=" + binary("reader") + " %F");
        makeFile(m_base + "config/mimeapps.list",
                 "[Default Applications]\nimage/png=" + m_viewer.toUtf8() + '\n');
        // The index of types to programs GIO reads, as installing a program leaves it.
        QCOMPARE(QProcess::execute("update-desktop-database", {m_base + "data/applications"}), 0);

        m_standIn.moveToThread(&m_thread);
        m_thread.start();
        bool registered = false;
        onStandIn([&] {
            QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "stand-in");
            m_standInName = bus.baseService();
            registered = bus.registerService(notificationsName) && bus.registerService(fileManagerName) &&
                         bus.registerVirtualObject(notificationsPath, &m_standIn) &&
                         bus.registerVirtualObject("/org/freedesktop/FileManager1", &m_standIn);
        });
        QVERIFY(registered);
    }

    void cleanupTestCase()
    {
        removeTree(m_base); // beyond QTemporaryDir: names that are not UTF-8
        onStandIn([] { QDBusConnection::disconnectFromBus("stand-in"); });
        m_thread.quit();
        m_thread.wait();
    }

    void init()
    {
        for (const char* name : {"viewer", "editor", "reader", "xdg-open"})
            QFile::remove(binary(name) + ".args");
        onStandIn([this] {
            m_standIn.notifications.clear();
            m_standIn.shown.clear();
            m_standIn.closing.clear();
            m_standIn.heldBack = false;
            m_standIn.answers.acquire(m_standIn.answers.available());
            m_standIn.fileManagerFails = false;
        });
    }

    void programs_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("programs");
        const QString editor = programLine(m_editor, "Test Editor", m_base + "editor.png");
        const QString viewer = programLine(m_viewer, "Test Viewer", "test-viewer");
        QTest::newRow("a PNG: the desktop's choice first, a program without a file left out")
            << QByteArray("shot.png | png") << QStringList{viewer, editor};
        QTest::newRow("a PNG named .jpg: a PNG's programs")
            << QByteArray("png.jpg | png") << QStringList{viewer, editor};
        QTest::newRow("text named .jpg: the name's type")
            << QByteArray("notes.jpg | text") << QStringList{viewer};
    }

    // The programs the desktop has registered for a file's type, the one it opens such files
    // with first, each once, with the names and icons of their desktop entries; the type is the
    // name's, unless the first bytes plainly are of another kind.
    void programs()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, programs);
        DesktopShell shell;
        QStringList found;
        for (const DesktopProgram& program : shell.programsFor(made(file)))
            found << programLine(program.id, program.name, program.icon);
        QCOMPARE(found, programs);
    }

    void openWith_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("given"); // the program's arguments; empty: not started, and told
        const QByteArray base = NativePath(m_base);
        QTest::newRow("a program that takes paths")
            << QByteArray("shot.png | png") << m_viewer << base + "shot.png\n";
        QTest::newRow("a program that takes URIs")
            << QByteArray("shot 2.png | png") << m_editor << "file://" + base + "shot%202.png\n";
        QTest::newRow("a name that is not UTF-8")
            << QByteArray("\xff.png | png") << m_viewer << base + "\xff.png\n";
        QTest::newRow("a missing file") << QByteArray("gone.png | none") << m_viewer << QByteArray();
        QTest::newRow("a folder") << QByteArray("folder.png | folder") << m_viewer << QByteArray();
        QTest::newRow("a program the desktop has not for it")
            << QByteArray("notes.txt | text") << m_viewer << QByteArray();
    }

    // The program chosen is started on the file, without waiting for it; a file that is not
    // there, or a program the desktop does not offer for it, is told as a failure.
    void openWith()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, program);
        QFETCH(QByteArray, given);
        DesktopShell shell;
        int failures = 0;
        shell.openWith(made(file), program, [&failures] { ++failures; });
        const QString arguments = binary(program == m_viewer ? "viewer" : "editor") + ".args";
        if (given.isEmpty()) {
            QCOMPARE(failures, 1);
            QTest::qWait(300);
            QVERIFY(!QFile::exists(arguments));
        } else {
            QTRY_COMPARE(contents(arguments), given);
            QCOMPARE(failures, 0);
        }
    }

    void opening_data()
    {
        // What is asked (explore, open, open missing, show in its folder) | what xdg-open does
        // after it has been asked, or none | the file manager: answers, fails, none, no bus | what
        // is done: shown, opened (the file, or its folder), told.
        QTest::addColumn<QString>("row");
        QTest::newRow("folder opened") << "explore | exit 0 | answers | opened";
        QTest::newRow("no program for folders") << "explore | exit 3 | answers | told";
        QTest::newRow("opener killed") << "explore | kill -9 $$ | answers | told";
        QTest::newRow("no opener") << "explore | none | answers | told";
        QTest::newRow("file opened") << "open | exit 0 | answers | opened";
        QTest::newRow("file missing") << "open missing | exit 0 | answers | told";
        QTest::newRow("shown selected by the file manager") << "show | exit 0 | answers | shown";
        QTest::newRow("the file manager fails: the folder opened") << "show | exit 0 | fails | opened";
        QTest::newRow("no file manager: the folder opened") << "show | exit 0 | none | opened";
        QTest::newRow("no session bus: the folder opened") << "show | exit 0 | no bus | opened";
        QTest::newRow("neither: told") << "show | none | none | told";
    }

    // Folders and files go to the desktop's opener, and a failure is told whenever it fails, also
    // after it started; a success never. Show in Folder asks the file manager on the session bus
    // to show the file selected; without one that does, the folder is opened as Explore opens it,
    // and only a failure of that too is told. The window never waits for either.
    void opening()
    {
        QFETCH(QString, row);
        const QStringList parts = row.split(" | ");
        const QString &asked = parts[0], &opener = parts[1], &fileManager = parts[2], &done = parts[3];
        const QString file =
            made(asked == "open missing" ? "my pictures/gone.png | none" : "my pictures/\xff 1.png | png");
        const QByteArray folderUri = "file://" + NativePath(m_base).toPercentEncoding("/") + "my%20pictures";
        if (opener == "none")
            QFile::remove(binary("xdg-open"));
        else
            makeProgram("xdg-open", opener);
        const QByteArray path0 = qgetenv("PATH");
        qputenv("PATH", NativePath(m_base + "bin"));
        serve(fileManagerName, fileManager != "none");
        const auto restore = qScopeGuard([&] {
            qputenv("PATH", path0);
            serve(fileManagerName, true);
        });
        onStandIn([&] {
            m_standIn.heldBack = true;
            m_standIn.fileManagerFails = fileManager == "fails";
        });
        DesktopShell shell(fileManager == "no bus"
                               ? QDBusConnection::connectToBus("unix:path=" + m_base + "nobus", "no bus")
                               : QDBusConnection::sessionBus());
        int failures = 0;
        const auto failed = [&failures] { ++failures; };
        QElapsedTimer asking;
        asking.start();
        if (asked == "explore")
            shell.explore(m_base + "my pictures", failed);
        else if (asked == "show")
            shell.showInFolder(file, failed);
        else
            shell.open(file, failed);
        QVERIFY(asking.elapsed() < 2500);
        m_standIn.answers.release(1);
        const QString opened = binary("xdg-open") + ".args";
        if (done == "shown")
            QTRY_COMPARE(recorded(&StandIn::shown),
                         QStringList({QString::fromLatin1(folderUri) + "/%FF%201.png", ""}));
        else if (done == "opened")
            QTRY_COMPARE(contents(opened), (asked == "open" ? folderUri + "/%FF%201.png" : folderUri) + '\n');
        else
            QTRY_COMPARE(failures, 1);
        QTest::qWait(300); // nothing else follows
        QCOMPARE(failures, done == "told" ? 1 : 0);
        if (done == "shown")
            QVERIFY(!QFile::exists(opened)); // not the folder besides
    }

    // An opener that handed the folder over and is still running when the program ends is
    // ended with it: no failure, and nothing to tell on the way out.
    void openerEndedWithTheProgram()
    {
        makeProgram("xdg-open", "exec /bin/sleep 30");
        const QByteArray path0 = qgetenv("PATH");
        qputenv("PATH", NativePath(m_base + "bin"));
        const auto restore = qScopeGuard([&] { qputenv("PATH", path0); });
        int failures = 0;
        {
            DesktopShell shell;
            shell.explore(m_base, [&failures] { ++failures; });
            QTRY_VERIFY(QFile::exists(binary("xdg-open") + ".args"));
        }
        QCoreApplication::processEvents();
        QCOMPARE(failures, 0);
    }

    // A notification takes the place of the one shown before, so captures in a row leave one
    // notification, of the last; a burst is not waited for. (Once that one is closed, or its
    // server gone: the end-to-end notifications test.)
    void replacement()
    {
        DesktopNotifications notifications;
        notifications.notify("first", QString(), QImage(), {}, QString());
        QTRY_COMPARE(asked().size(), 1);
        settle();
        const uint first = recorded(&StandIn::numbered);
        onStandIn([this] { m_standIn.heldBack = true; });
        QElapsedTimer asking;
        asking.start();
        for (const char* summary : {"second", "third", "fourth"})
            notifications.notify(summary, QString(), QImage(), {}, QString());
        QVERIFY(asking.elapsed() < 2500);
        m_standIn.answers.release(2);
        QTRY_COMPARE_WITH_TIMEOUT(asked().size(), 3, 10000);
        QTest::qWait(300); // no more
        QStringList got;
        for (const StandIn::Notification& notification : asked().mid(1))
            got << notification.summary + (notification.replaces == first ? " in place" : " not in place");
        QCOMPARE(got, (QStringList{"second in place", "fourth in place"}));
    }

    void withdrawing_data()
    {
        QTest::addColumn<QString>("server");
        QTest::newRow("nothing shown") << "";
        QTest::newRow("closed") << "closes";
        QTest::newRow("withdrawn on its way") << "numbers late, closes";
        QTest::newRow("gone already") << "fails";
        QTest::newRow("never tells") << "silent";
    }

    // A notification withdrawn before a window shot is asked to close, and the shot waits until
    // the server says it is gone; only as long as a server that never says so allows (a second),
    // and not at all when none is shown or the server no longer has it.
    void withdrawing()
    {
        QFETCH(QString, server);
        DesktopNotifications notifications;
        onStandIn([&] {
            m_standIn.closeFails = server == "fails";
            m_standIn.heldBack = server.startsWith("numbers late");
        });
        if (!server.isEmpty())
            notifications.notify("Screenshot filed", QString(), QImage(), {}, QString());
        bool gone = false;
        notifications.withdraw([&gone] { gone = true; });
        QCOMPARE(gone, server.isEmpty());
        m_standIn.answers.release(2);
        if (server.isEmpty()) {
            settle();
            QCOMPARE(recorded(&StandIn::closing), QList<uint>());
            return;
        }
        QTRY_COMPARE(recorded(&StandIn::closing), QList<uint>{recorded(&StandIn::numbered)});
        if (server.endsWith("closes"))
            tell("NotificationClosed", recorded(&StandIn::numbered), 3u);
        settle();
        QTRY_VERIFY_WITH_TIMEOUT(gone, server == "silent" ? 5000 : 0);
    }

    void actions_data()
    {
        QTest::addColumn<QString>("between"); // what happens before the action is chosen
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("chosen on it") << "" << QStringList{"Image_1.jpg copy"};
        QTest::newRow("chosen on another program's") << "another" << QStringList();
        QTest::newRow("chosen after it was closed") << "closed" << QStringList();
    }

    // An action chosen on a notification comes back with the picture that notification is about
    // (now, after a replacement: the end-to-end notifications test); one chosen on a notification
    // of another program's or one closed comes to nothing. (What the server is asked, the
    // thumbnail's bytes too: the end-to-end notifications test.)
    void actions()
    {
        QFETCH(QString, between);
        QFETCH(QStringList, heard);
        DesktopNotifications notifications;
        QStringList got;
        connect(&notifications, &Notifications::actionInvoked, this,
                [&got](const QString& about, const QString& key) { got << about + ' ' + key; });
        notifications.notify("Screenshot filed", "Image_1.jpg in Work / Bugs", QImage(),
                             {{"show", "Show"}, {"copy", "Copy"}}, "Image_1.jpg");
        QTRY_COMPARE(asked().size(), 1);
        settle();
        const uint id = recorded(&StandIn::numbered);
        if (between == "closed")
            tell("NotificationClosed", id, 2u);
        settle();
        tell("ActionInvoked", between == "another" ? id + 100 : id, "copy");
        settle();
        QCOMPARE(got, heard);
    }
};

QTEST_GUILESS_MAIN(tst_DesktopServices)
#include "tst_DesktopServices.moc"
