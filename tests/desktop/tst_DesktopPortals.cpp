#include "ListedShortcut.h"
#include "desktop/portal/KWinScreenGrab.h"
#include "desktop/portal/PortalScreenGrab.h"
#include "desktop/portal/PortalShortcuts.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVirtualObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <unistd.h>

namespace {

// A picture no desktop would make by chance.
QImage testPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 9 % 256, y * 5 % 256, 200));
    return picture;
}

// What the desktop's portal and KDE's compositor answer, on a connection and thread of their own
// on the private session bus the test runs in. Records what it was asked.
class StandIn final : public QDBusVirtualObject
{
public:
    QTemporaryDir pictureFolder; // where the portal leaves its screenshots
    QImage screen = testPicture(QSize(64, 48));
    uint screenshotAnswer = 0; // 0 yes, 1 cancelled
    bool offersShortcuts = true;
    bool shortcutsWithSession = false; // takes them from CreateSession, as KDE Plasma 5.27 does
    QString withholds; // the keys it binds to nothing, "*" the whole request refused by the user
    // asked, as the test reads it once this thread is done answering
    QVariantMap screenshotOptions;
    QString appId;
    QString session;
    QList<ListedShortcut> boundShortcuts;
    int binds = 0;
    QImage kwinWindow; // what KDE's compositor sends for the active window; none: it refuses
    QVariantMap kwinOptions;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
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
        } else if (member == "Screenshot") {
            screenshotOptions = qdbus_cast<QVariantMap>(message.arguments().value(1));
            const QString file = pictureFolder.filePath("Screenshot.png");
            screen.save(file);
            respond(requestFor(screenshotOptions), screenshotAnswer,
                    {{"uri", QUrl::fromLocalFile(file).toString()}}, screenshotAnswer != 0);
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
        } else if (member == "CaptureActiveWindow" && kwinWindow.isNull()) {
            connection.send(message.createErrorReply("org.kde.KWin.ScreenShot2.Error.NoAuthorized",
                                                     "The process is not authorized to take a screenshot"));
        } else if (member == "CaptureActiveWindow") {
            kwinOptions = qdbus_cast<QVariantMap>(message.arguments().value(0));
            connection.send(message.createReply(QVariantMap{{"width", kwinWindow.width()},
                                                            {"height", kwinWindow.height()},
                                                            {"stride", kwinWindow.bytesPerLine()},
                                                            {"format", int(kwinWindow.format())}}));
            const int pipe = message.arguments().value(1).value<QDBusUnixFileDescriptor>().fileDescriptor();
            // Short of the whole, the grab fails: the test sees no picture.
            return ::write(pipe, kwinWindow.constBits(), kwinWindow.sizeInBytes()) ==
                   kwinWindow.sizeInBytes();
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

} // namespace

// The desktop's portals and KDE's compositor, as a stand-in on a private session bus answers
// them: the screenshot and the global shortcuts, and the active window from KDE.
class tst_DesktopPortals : public QObject
{
    Q_OBJECT

    QThread m_thread;
    StandIn m_standIn;

    // Runs \a change on the stand-in's thread, so nothing it reads is changed while it answers.
    void onStandIn(const std::function<void()>& change)
    {
        QMetaObject::invokeMethod(&m_standIn, change, Qt::BlockingQueuedConnection);
    }

    // The grab's one answer: the picture, or why there is none.
    static QVariant answerOf(ScreenGrab& grab)
    {
        QSignalSpy taken(&grab, &ScreenGrab::taken);
        QSignalSpy failed(&grab, &ScreenGrab::failed);
        grab.grab();
        if (QTest::qWaitFor([&] { return !taken.isEmpty() || !failed.isEmpty(); }, 10000))
            QTest::qWait(100); // no second answer
        if (taken.size() + failed.size() != 1)
            return QStringLiteral("%1 answers").arg(taken.size() + failed.size());
        return (taken.isEmpty() ? failed : taken).first().first();
    }

private slots:
    void initTestCase()
    {
        qDBusRegisterMetaType<ListedShortcut>();
        qDBusRegisterMetaType<QList<ListedShortcut>>();
        m_standIn.moveToThread(&m_thread);
        m_thread.start();
        bool registered = false;
        onStandIn([&] {
            QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "stand-in");
            registered = bus.registerService("org.freedesktop.portal.Desktop") &&
                         bus.registerService("org.kde.KWin") &&
                         bus.registerVirtualObject("/org/freedesktop/portal/desktop", &m_standIn) &&
                         bus.registerVirtualObject("/org/kde/KWin/ScreenShot2", &m_standIn);
        });
        QVERIFY(registered);
    }

    void cleanupTestCase()
    {
        onStandIn([] { QDBusConnection::disconnectFromBus("stand-in"); });
        m_thread.quit();
        m_thread.wait();
    }

    // The whole screen, asked for without a dialog. A cancel is no picture, and says so. A desktop
    // that asks the user before its first screenshot (GNOME's) is asked once the user has been told
    // whose question it is; once only, whatever the answer. (One that does not ask: the end-to-end
    // portal test; the portal's file removed once read: the end-to-end KDE test.)
    void portalScreenshot()
    {
        PortalScreenGrab grab(true);
        QSignalSpy waiting(&grab, &ScreenGrab::waiting);
        QSignalSpy taken(&grab, &ScreenGrab::taken);
        grab.grab();
        QVERIFY(waiting.wait(5000));
        QVERIFY(waiting.first().first().toString().contains("\"Allow Applications to Take Screenshots?\""));
        QTest::qWait(300);
        QCOMPARE(taken.size(), 0); // not asked yet
        grab.proceed();
        QVERIFY(taken.wait(5000));
        QCOMPARE(answerOf(grab), QVariant(m_standIn.screen));
        QCOMPARE(m_standIn.screenshotOptions.value("interactive"), QVariant(false));
        onStandIn([this] { m_standIn.screenshotAnswer = 1; });
        QCOMPARE(answerOf(grab), QVariant("The screenshot was cancelled on the desktop."));
        onStandIn([this] { m_standIn.screenshotAnswer = 0; });
        QCOMPARE(waiting.size(), 1);
    }

    // Where KDE's compositor refuses the active window, the portal's screen, said to be the
    // screen, with what KDE wants for the window. (The window KDE grants: the end-to-end KDE test.)
    void kwinActiveWindow()
    {
        KWinScreenGrab grab(std::make_unique<PortalScreenGrab>());
        QSignalSpy screen(&grab, &ScreenGrab::screenInstead);
        QCOMPARE(answerOf(grab), QVariant(m_standIn.screen));
        QCOMPARE(screen.size(), 1);
        QVERIFY(screen.first().first().toString().contains("installed with their desktop entry"));

        // Granted, the window is filed with its title bar and frame, without the shadow KDE
        // Plasma 5 draws around it (Plasma 6 is asked to leave it out); its rounded corners
        // stay within it.
        const QImage window = testPicture(QSize(40, 30));
        QImage sent(60, 52, QImage::Format_ARGB32_Premultiplied);
        sent.fill(Qt::transparent);
        for (int y = 2; y < 50; ++y)
            for (int x = 2; x < 58; ++x)
                sent.setPixel(x, y, qPremultiply(qRgba(0, 0, 0, 90)));
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                sent.setPixel(x + 9, y + 11, window.pixel(x, y));
        sent.setPixel(9, 11, qPremultiply(qRgba(10, 20, 30, 120)));
        onStandIn([&] { m_standIn.kwinWindow = sent; });
        const QVariant taken = answerOf(grab);
        onStandIn([&] { m_standIn.kwinWindow = QImage(); });
        QCOMPARE(taken.value<QImage>().copy(1, 0, 39, 30), window.copy(1, 0, 39, 30));
        QCOMPARE(m_standIn.kwinOptions.value("include-decoration"), QVariant(true));
        QCOMPARE(m_standIn.kwinOptions.value("include-shadow"), QVariant(false));
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
        QTest::newRow("bound after the session") << false << 3 << "CTRL+k"
                                                 << "" << true << QStringList();
        QTest::newRow("one key left unbound")
            << false << 3 << "CTRL+k"
            << "CTRL+k" << true
            << QStringList{"The desktop did not give Vistrelle Ctrl+K: another program may have taken it, or "
                           "it was refused."};
        QTest::newRow("refused by the user")
            << false << 3 << "CTRL+k"
            << "*" << false
            << QStringList{
                   "The desktop did not give Vistrelle Shift+X: another program may have taken it, or "
                   "it was refused.",
                   "The desktop did not give Vistrelle Ctrl+K: another program may have taken it, or "
                   "it was refused."};
        QTest::newRow("taken with the session, one key left unbound, then kept")
            << true << 0 << "SHIFT+x"
            << "SHIFT+x" << true
            << QStringList{
                   "The desktop did not give Vistrelle Shift+X: another program may have taken it, or "
                   "it was refused.",
                   "The desktop keeps the keys it has for Vistrelle's shortcuts (\"Capture the active "
                   "window\": none).  To change them, open System Settings, Shortcuts, and choose "
                   "\"vistrelle\"."};
        QTest::newRow("taken with the session, the keys kept")
            << true << 0 << "SHIFT+x"
            << "" << true
            << QStringList{
                   "The desktop keeps the keys it has for Vistrelle's shortcuts (\"Capture the active "
                   "window\": Shift+X).  To change them, open System Settings, Shortcuts, and choose "
                   "\"vistrelle\"."};
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

QTEST_MAIN(tst_DesktopPortals)
#include "tst_DesktopPortals.moc"
