#include "PortalShortcuts.h"

#include "PortalRequest.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString activeWindowId = QStringLiteral("capture-window");
const QString timeLapseId = QStringLiteral("time-lapse");

/// One shortcut as the portal takes it: (sa{sv}).
struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)

PortalShortcuts::PortalShortcuts(ShortcutLatch& shortcuts)
    : m_shortcuts(shortcuts)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

QString PortalShortcuts::KeysFor(int hotkey, int modifiers)
{
    QString key;
    if (hotkey >= '0' && hotkey <= '9')
        key = QChar(hotkey);
    else if (hotkey >= 'A' && hotkey <= 'Z')
        key = QChar(hotkey - 'A' + 'a'); // the key's name, as the shortcut list writes it
    else
        return {};
    switch (modifiers) {
    case 1:
        return QStringLiteral("CTRL+") + key;
    case 2:
        return QStringLiteral("SHIFT+") + key;
    case 3:
        return QStringLiteral("CTRL+SHIFT+") + key;
    default:
        return key;
    }
}

void PortalShortcuts::bind(const QString& activeWindowKeys, const QString& timeLapseKeys)
{
    m_activeWindowKeys = activeWindowKeys;
    m_timeLapseKeys = timeLapseKeys;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return emit bound(false);
    // A program outside a sandbox names itself; portals that predate this ignore it.
    bus.asyncCall(QDBusMessage::createMethodCall(portalService, portalPath,
                                                 QStringLiteral("org.freedesktop.host.portal.Registry"),
                                                 QStringLiteral("Register"))
                  << QStringLiteral("vistrelle") << QVariantMap());
    bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                SLOT(activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Deactivated"), this,
                SLOT(deactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    request(QStringLiteral("CreateSession"),
            {QVariantMap{{QStringLiteral("session_handle_token"), QStringLiteral("vistrelle")}}});
}

void PortalShortcuts::request(const QString& method, const QList<QVariant>& arguments)
{
    const QString token = QStringLiteral("vistrelle_keys%1").arg(++m_requests);
    // Gone once answered, which may be before the reply to the call comes.
    const QPointer<PortalRequest> request = new PortalRequest(token, this);
    connect(request, &PortalRequest::answered, this, [this, request](uint code, const QVariantMap& results) {
        request->deleteLater();
        answered(code, results);
    });
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
    QList<QVariant> withToken = arguments;
    withToken.last() = [&] {
        QVariantMap options = arguments.last().toMap();
        options.insert(QStringLiteral("handle_token"), token);
        return options;
    }();
    call.setArguments(withToken);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, request] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (!request)
            return;
        if (reply.isError()) { // a desktop without global shortcuts
            request->deleteLater();
            return emit bound(false);
        }
        request->answeredAt(reply.value().path());
    });
}

void PortalShortcuts::answered(uint code, const QVariantMap& results)
{
    if (code != 0)
        return emit bound(false);
    if (m_session.isEmpty()) {
        const QVariant handle = results.value(QStringLiteral("session_handle"));
        m_session =
            handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
        if (m_session.isEmpty())
            return emit bound(false);
        const auto shortcut = [](const QString& id, const QString& description, const QString& keys) {
            QVariantMap properties{{QStringLiteral("description"), description}};
            if (!keys.isEmpty())
                properties.insert(QStringLiteral("preferred_trigger"), keys);
            return PortalShortcut{id, properties};
        };
        const QList<PortalShortcut> shortcuts{
            shortcut(activeWindowId, QStringLiteral("Capture the active window"), m_activeWindowKeys),
            shortcut(timeLapseId, QStringLiteral("Start or stop time-lapse"), m_timeLapseKeys)};
        request(QStringLiteral("BindShortcuts"), {QVariant::fromValue(QDBusObjectPath(m_session)),
                                                  QVariant::fromValue(shortcuts), QString(), QVariantMap()});
        return;
    }
    emit bound(true);
}

void PortalShortcuts::activated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                const QVariantMap&)
{
    if (session.path() != m_session)
        return;
    if (id == activeWindowId)
        m_shortcuts.press(Shortcut::ActiveWindow);
    else if (id == timeLapseId)
        m_shortcuts.press(Shortcut::TimeLapse);
}

void PortalShortcuts::deactivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                  const QVariantMap&)
{
    if (session.path() != m_session)
        return;
    if (id == activeWindowId)
        m_shortcuts.release(Shortcut::ActiveWindow);
    else if (id == timeLapseId)
        m_shortcuts.release(Shortcut::TimeLapse);
}
