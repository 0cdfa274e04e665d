#include "ListedShortcut.h"
#include "desktop/portal/PortalScreenGrab.h"
#include "desktop/portal/PortalShortcuts.h"
#include "desktop/qt/DesktopNotifications.h"
#include "desktop/qt/DesktopShell.h"
#include "platform/FileNames.h"
#include "support/TestLibrary.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace TestLibrary;

namespace {

const QString notificationsName = "org.freedesktop.Notifications";
const QString notificationsPath = "/org/freedesktop/Notifications";
const QString fileManagerName = "org.freedesktop.FileManager1";

// The desktop's notification server, file manager and shortcuts portal, on a connection and
// thread of their own on the private session bus the test runs in (one that starts no
// service). Records what it was asked; a notification or file manager call of another signature
// is refused, as the real ones refuse it.
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
    bool offersShortcuts = true;
    bool shortcutsWithSession = false; // takes them from CreateSession, as KDE Plasma 5.27 does
    QString withholds; // the keys it binds to nothing, "*" the whole request refused by the user
    // asked, as the test reads it once this thread is done answering
    QString appId;
    QString session;
    QList<ListedShortcut> boundShortcuts;
    int binds = 0;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.member() == "Settle") {
            connection.send(message.createReply());
            return true;
        }
        if (heldBack)
            answers.tryAcquire(1, 5000);
        return desktop(message, connection) || portal(message, connection);
    }

    bool desktop(const QDBusMessage& message, const QDBusConnection& connection)
    {
        const QList<QVariant> arguments = message.arguments();
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

    bool portal(const QDBusMessage& message, const QDBusConnection& connection)
    {
        const QString member = message.member();
        const QString sender = message.service().mid(1).replace('.', '_');
        const auto requestFor = [&](const QVariantMap& options) {
            return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                .arg(sender, options.value("handle_token").toString());
        };
        // The answer may come before the reply to the call that asked: both orders are used.
        const auto respond = [&](const QString& request, uint code, const QVariantMap& results,
                                 bool answerFirst = false) {
            const QDBusMessage reply = message.createReply(QVariant::fromValue(QDBusObjectPath(request)));
            QDBusMessage response =
                QDBusMessage::createSignal(request, "org.freedesktop.portal.Request", "Response");
            response << code << results;
            connection.send(answerFirst ? response : reply);
            QThread::msleep(50); // long enough for the caller to take the first one up
            connection.send(answerFirst ? reply : response);
        };
        if (member == "Register") {
            appId = message.arguments().value(0).toString();
            connection.send(message.createReply());
        } else if (member == "Screenshot") { // cancelled by the user, the answer first
            respond(requestFor(qdbus_cast<QVariantMap>(message.arguments().value(1))), 1, {}, true);
        } else if (member == "CreateSession" && !offersShortcuts) {
            connection.send(message.createErrorReply(QDBusError::UnknownInterface, "No such interface"));
        } else if (member == "CreateSession") {
            const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().value(0));
            session = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2")
                          .arg(sender, options.value("session_handle_token").toString());
            // KDE Plasma 5.27 keeps the keys of a shortcut it knows, and describes them its way.
            if (shortcutsWithSession && boundShortcuts.isEmpty()) {
                boundShortcuts = qdbus_cast<QList<ListedShortcut>>(options.value("shortcuts"));
                for (auto& [id, properties] : boundShortcuts) {
                    const QString keys = properties.value("preferred_trigger").toString();
                    properties.insert("trigger_description", keys == withholds
                                                                 ? QString()
                                                                 : keys.toUpper().replace("SHIFT", "Shift"));
                }
            } else if (!shortcutsWithSession) {
                boundShortcuts.clear();
            }
            respond(requestFor(options), 0, {{"session_handle", session}}, true);
        } else if (member == "ListShortcuts") {
            respond(requestFor(qdbus_cast<QVariantMap>(message.arguments().value(1))), 0,
                    {{"shortcuts", QVariant::fromValue(boundShortcuts)}});
        } else if (member == "BindShortcuts") {
            ++binds;
            boundShortcuts = qdbus_cast<QList<ListedShortcut>>(message.arguments().value(1));
            QList<ListedShortcut> given; // what it bound, and to which keys
            for (const auto& [id, properties] : boundShortcuts) {
                const QString keys = properties.value("preferred_trigger").toString();
                given.append({id, {{"trigger_description", keys == withholds ? QString() : keys}}});
            }
            respond(requestFor(qdbus_cast<QVariantMap>(message.arguments().value(3))),
                    withholds == "*" ? 1U : 0U, {{"shortcuts", QVariant::fromValue(given)}});
        } else {
            return false;
        }
        return true;
    }

    void activate(const QString& id, const char* signal)
    {
        QDBusMessage message = QDBusMessage::createSignal("/org/freedesktop/portal/desktop",
                                                          "org.freedesktop.portal.GlobalShortcuts", signal);
        message << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1) << QVariantMap();
        QDBusConnection(QStringLiteral("stand-in")).send(message);
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
// notifications; the global shortcuts of the desktop's portal and a screenshot cancelled there;
// each service played by a stand-in on a private session bus. (The portal's screenshot taken,
// and KDE's active window: the end-to-end GNOME, portal and KDE tests.)
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
        qDBusRegisterMetaType<ListedShortcut>();
        qDBusRegisterMetaType<QList<ListedShortcut>>();
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
                         bus.registerService("org.freedesktop.portal.Desktop") &&
                         bus.registerVirtualObject(notificationsPath, &m_standIn) &&
                         bus.registerVirtualObject("/org/freedesktop/FileManager1", &m_standIn) &&
                         bus.registerVirtualObject("/org/freedesktop/portal/desktop", &m_standIn);
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
        QTest::newRow("opener still running as the program ends")
            << "explore | exec /bin/sleep 30 | answers | opened";
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
    // and only a failure of that too is told. The window never waits for either; an opener
    // still running as the program ends is ended with it, and nothing told on the way out.
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
        auto shell = std::make_unique<DesktopShell>(
            fileManager == "no bus" ? QDBusConnection::connectToBus("unix:path=" + m_base + "nobus", "no bus")
                                    : QDBusConnection::sessionBus());
        int failures = 0;
        const auto failed = [&failures] { ++failures; };
        QElapsedTimer asking;
        asking.start();
        if (asked == "explore")
            shell->explore(m_base + "my pictures", failed);
        else if (asked == "show")
            shell->showInFolder(file, failed);
        else
            shell->open(file, failed);
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
        shell.reset();
        QCoreApplication::processEvents();
        QCOMPARE(failures, done == "told" ? 1 : 0);
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

    // A screenshot cancelled on the desktop is no picture, and says so, also when the answer
    // comes before the reply to the call. (One taken, asked without a dialog, once the user has
    // been told whose the desktop's question is: the end-to-end GNOME and portal tests.)
    void portalScreenshotCancelled()
    {
        PortalScreenGrab grab;
        QSignalSpy failed(&grab, &ScreenGrab::failed);
        grab.grab();
        QVERIFY(failed.wait(5000));
        QCOMPARE(failed.first().first().toString(), "The screenshot was cancelled on the desktop.");
    }

    // Both shortcuts, proposing the keys chosen in Options, in a session of the program's own:
    // taken with the session where the desktop takes them there (KDE Plasma 5.27, which would
    // open its settings at every start if asked to bind them), else bound; new keys, a new
    // session. Keys the desktop refuses or leaves unbound are told by name, once. Pressing and releasing them
    // holds and lets go of the latch the tick reads. A desktop that stops offering global shortcuts says so.
    void globalShortcuts_data()
    {
        QTest::addColumn<bool>("withSession");
        QTest::addColumn<int>("binds");
        QTest::addColumn<QString>("proposed"); // as the desktop holds it at the end
        QTest::addColumn<QString>("withholds");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QStringList>("told");
        const QString notGiven =
            "The desktop did not give Vistrelle %1: another program may have taken it, or it was refused.";
        const QString kept =
            "The desktop keeps the keys it has for Vistrelle's shortcuts (\"Capture the active "
            "window\": %1).  To change them, open System Settings, Shortcuts, and choose "
            "\"vistrelle\".";
        QTest::newRow("bound after the session") << false << 3 << "CTRL+k"
                                                 << "" << true << QStringList();
        QTest::newRow("one key left unbound") << false << 3 << "CTRL+k"
                                              << "CTRL+k" << true << QStringList{notGiven.arg("Ctrl+K")};
        QTest::newRow("refused by the user")
            << false << 3 << "CTRL+k"
            << "*" << false << QStringList{notGiven.arg("Shift+X"), notGiven.arg("Ctrl+K")};
        QTest::newRow("taken with the session, one key left unbound, then kept")
            << true << 0 << "SHIFT+x"
            << "SHIFT+x" << true << QStringList{notGiven.arg("Shift+X"), kept.arg("none")};
        QTest::newRow("taken with the session, the keys kept")
            << true << 0 << "SHIFT+x"
            << "" << true << QStringList{kept.arg("Shift+X")};
    }

    void globalShortcuts()
    {
        QFETCH(bool, withSession);
        QFETCH(int, binds);
        QFETCH(QString, proposed);
        QFETCH(QString, withholds);
        QFETCH(bool, done);
        QFETCH(QStringList, told);
        onStandIn([&] {
            m_standIn.shortcutsWithSession = withSession, m_standIn.binds = 0,
            m_standIn.withholds = withholds;
            m_standIn.boundShortcuts.clear();
        });
        ShortcutLatch latch;
        PortalShortcuts shortcuts(latch);
        QSignalSpy bound(&shortcuts, &PortalShortcuts::bound);
        QStringList toldTexts;
        connect(&shortcuts, &PortalShortcuts::told, this,
                [&](const QString& text) { toldTexts.append(text); });
        shortcuts.bind(PortalShortcuts::KeysFor('X', 2), QString());
        QVERIFY(bound.wait(5000));
        for (int again = 0; again < 2; ++again) { // the same change told once
            shortcuts.bind(PortalShortcuts::KeysFor('K', 1), PortalShortcuts::KeysFor(0, 0));
            QVERIFY(bound.wait(5000));
        }
        QCOMPARE(bound.size(), 3);
        QCOMPARE(bound.last().first().toBool(), done);
        QCOMPARE(m_standIn.appId, "org.vistrelle.Vistrelle");
        QCOMPARE(m_standIn.binds, binds);
        QCOMPARE(toldTexts, told);
        QStringList held; // each shortcut and the keys proposed for it
        for (const auto& [id, properties] : m_standIn.boundShortcuts)
            held << id + ' ' + properties.value("preferred_trigger", "(none)").toString();
        QCOMPARE(held, QStringList({"capture-window " + proposed, "time-lapse (none)"}));

        onStandIn([this] { m_standIn.activate("capture-window", "Activated"); });
        QTRY_VERIFY(latch.fired(Shortcut::ActiveWindow));
        QVERIFY(latch.fired(Shortcut::ActiveWindow)); // held
        onStandIn([this] { m_standIn.activate("capture-window", "Deactivated"); });
        QTRY_VERIFY(!latch.fired(Shortcut::ActiveWindow));
        onStandIn([this] {
            m_standIn.activate("time-lapse", "Activated");
            m_standIn.activate("time-lapse", "Deactivated");
        });
        QTest::qWait(300);                         // both arrive before the next look
        QVERIFY(latch.fired(Shortcut::TimeLapse)); // a tap between two looks counts once
        QVERIFY(!latch.fired(Shortcut::TimeLapse));
        QVERIFY(!latch.fired(Shortcut::ActiveWindow));

        onStandIn([this] { m_standIn.offersShortcuts = false; });
        shortcuts.bind("CTRL+k", "CTRL+t");
        QVERIFY(bound.wait(5000));
        onStandIn([this] { m_standIn.offersShortcuts = true; });
        QCOMPARE(bound.last().first().toBool(), false);
    }

    // The keys proposed for Options' choice, and whether the desktop's description of the keys it
    // holds is taken for them.
    void keysProposed_data()
    {
        QTest::addColumn<int>("hotkey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("keys"); // proposed | as the desktop describes the keys it holds
        QTest::addColumn<bool>("same");
        QTest::addColumn<QString>("named"); // as Options and the messages name the keys
        QTest::newRow("a letter alone") << int('A') << 0 << "a | A" << true << "A";
        QTest::newRow("CTRL, another key held") << int('Z') << 1 << "CTRL+z | Ctrl+J" << false << "Ctrl+Z";
        QTest::newRow("SHIFT, a digit, none held") << int('0') << 2 << "SHIFT+0 | " << false << "Shift+0";
        QTest::newRow("both") << int('9') << 3 << "CTRL+SHIFT+9 | Ctrl+Shift+9" << true << "Ctrl+Shift+9";
        QTest::newRow("ALT, Print") << 0x2C << 4 << "ALT+Print | Alt+Print" << true << "Alt+Print";
        QTest::newRow("all three, Pause held with two")
            << 0x13 << 7 << "CTRL+SHIFT+ALT+Pause | Ctrl+Alt+Pause" << false << "Ctrl+Shift+Alt+Pause";
        QTest::newRow("an unknown modifier code is none") << int('Q') << 8 << "q | Shift+Q" << false << "Q";
        QTest::newRow("no key, none held") << 0 << 1 << " | " << true << "";
        QTest::newRow("not a key Options offers") << int('[') << 1 << " | Ctrl+[" << false << "";
        QTest::newRow("F12") << 0x7B << 1 << "CTRL+F12 | Ctrl+F12" << true << "Ctrl+F12";
        QTest::newRow("page up") << 0x21 << 2 << "SHIFT+Page_Up | Shift+PgUp" << true << "Shift+Page_Up";
        QTest::newRow("numeric pad plus, not the other plus")
            << 0x6B << 1 << "CTRL+KP_Add | Ctrl++" << false << "Ctrl+KP_Add";
    }

    void keysProposed()
    {
        QFETCH(int, hotkey);
        QFETCH(int, modifiers);
        QFETCH(QString, keys);
        QFETCH(bool, same);
        QFETCH(QString, named);
        const QString proposed = PortalShortcuts::KeysFor(hotkey, modifiers);
        QCOMPARE(proposed, keys.section(" | ", 0, 0));
        QCOMPARE(PortalShortcuts::SameKeys(keys.section(" | ", 1), proposed), same);
        QCOMPARE(PortalShortcuts::CombinationOf(proposed), named);
    }
};

QTEST_MAIN(tst_DesktopServices)
#include "tst_DesktopServices.moc"
