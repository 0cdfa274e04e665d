#include "PortalShortcuts.h"

#include "PortalRequest.h"
#include "platform/HotkeyNames.h"
#include "platform/KeyState.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QKeySequence>
#include <QPointer>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString activeWindowId = QStringLiteral("capture-window");
const QString timeLapseId = QStringLiteral("time-lapse");
const QString applicationId = QStringLiteral("org.vistrelle.Vistrelle");

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

bool PortalShortcuts::SameKeys(const QString& described, const QString& proposed)
{
    // The desktop describes keys its own way ("Ctrl+PgUp"), the proposal as the shortcut list
    // writes them ("CTRL+Page_Up").
    const QKeySequence desktop(described, QKeySequence::NativeText);
    if (proposed.isEmpty())
        return desktop.isEmpty();
    QStringList parts = proposed.split(QLatin1Char('+'));
    const std::optional<HotkeyName> key = HotkeyNamed(parts.takeLast());
    if (!key)
        return false;
    int keys = key->qtKey;
    for (const QString& modifier : std::as_const(parts)) {
        if (modifier == QLatin1String("CTRL"))
            keys |= Qt::ControlModifier;
        else if (modifier == QLatin1String("SHIFT"))
            keys |= Qt::ShiftModifier;
        else if (modifier == QLatin1String("ALT"))
            keys |= Qt::AltModifier;
        else
            return false;
    }
    return desktop == QKeySequence(keys);
}

QString PortalShortcuts::KeysFor(int hotkey, int modifiers)
{
    const std::optional<HotkeyName> key = HotkeyNamed(hotkey);
    return key ? WithModifiers(key->name, modifiers, {"CTRL+", "SHIFT+", "ALT+"}) : QString();
}

QString PortalShortcuts::CombinationOf(const QString& proposed)
{
    QStringList parts = proposed.split(QLatin1Char('+'));
    const std::optional<HotkeyName> key = HotkeyNamed(parts.takeLast());
    if (!key)
        return {};
    int modifiers = 0;
    for (const QString& modifier : std::as_const(parts))
        modifiers |= modifier == QLatin1String("CTRL")    ? HotkeyModifier::Control
                     : modifier == QLatin1String("SHIFT") ? HotkeyModifier::Shift
                     : modifier == QLatin1String("ALT")   ? HotkeyModifier::Alt
                                                          : 0;
    return HotkeyCombination(key->virtualKey, modifiers);
}

void PortalShortcuts::bind(const QString& activeWindowKeys, const QString& timeLapseKeys)
{
    m_activeWindowKeys = activeWindowKeys;
    m_timeLapseKeys = timeLapseKeys;
    ++m_binding;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return emit bound(false);
    if (!m_listening) {
        // A program outside a sandbox names itself before its first request; portals that
        // predate this ignore it.
        bus.asyncCall(QDBusMessage::createMethodCall(portalService, portalPath,
                                                     QStringLiteral("org.freedesktop.host.portal.Registry"),
                                                     QStringLiteral("Register"))
                      << applicationId << QVariantMap());
        bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Activated"), this,
                    SLOT(activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
        bus.connect(portalService, portalPath, shortcutsInterface, QStringLiteral("Deactivated"), this,
                    SLOT(deactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
        m_listening = true;
    }
    // New keys: the session they were proposed in ends, and a new one proposes the new keys.
    if (!m_session.isEmpty())
        bus.asyncCall(QDBusMessage::createMethodCall(portalService, m_session,
                                                     QStringLiteral("org.freedesktop.portal.Session"),
                                                     QStringLiteral("Close")));
    m_session.clear();
    // The shortcuts go with the session as well: KDE Plasma 5.27 takes them from there, and
    // does not bind them later without opening its settings.
    request(Step::Create, {QVariantMap{{QStringLiteral("session_handle_token"), QStringLiteral("vistrelle")},
                                       {QStringLiteral("shortcuts"), shortcutList()}}});
}

QVariant PortalShortcuts::shortcutList() const
{
    const auto shortcut = [](const QString& id, const QString& description, const QString& keys) {
        QVariantMap properties{{QStringLiteral("description"), description}};
        if (!keys.isEmpty())
            properties.insert(QStringLiteral("preferred_trigger"), keys);
        return PortalShortcut{id, properties};
    };
    return QVariant::fromValue(QList<PortalShortcut>{
        shortcut(activeWindowId, QCoreApplication::translate("PortalShortcuts", "Capture the active window"),
                 m_activeWindowKeys),
        shortcut(timeLapseId, QCoreApplication::translate("PortalShortcuts", "Start or stop time-lapse"),
                 m_timeLapseKeys)});
}

void PortalShortcuts::request(Step step, const QList<QVariant>& arguments)
{
    static const QString methods[] = {QStringLiteral("CreateSession"), QStringLiteral("ListShortcuts"),
                                      QStringLiteral("BindShortcuts")};
    const QString token = QStringLiteral("vistrelle_keys%1").arg(++m_requests);
    const unsigned binding = m_binding;
    // Gone once answered, which may be before the reply to the call comes.
    const QPointer<PortalRequest> request = new PortalRequest(token, this);
    connect(request, &PortalRequest::answered, this,
            [this, request, step, binding](uint code, const QVariantMap& results) {
                request->deleteLater();
                if (binding == m_binding)
                    answered(step, code, results);
            });
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface,
                                                       methods[static_cast<int>(step)]);
    QList<QVariant> withToken = arguments;
    withToken.last() = [&] {
        QVariantMap options = arguments.last().toMap();
        options.insert(QStringLiteral("handle_token"), token);
        return options;
    }();
    call.setArguments(withToken);
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, request, binding] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (!request)
            return;
        if (reply.isError()) { // a desktop without global shortcuts
            request->deleteLater();
            if (binding == m_binding)
                emit bound(false);
            return;
        }
        request->answeredAt(reply.value().path());
    });
}

void PortalShortcuts::tellUnbound(const QStringList& ids)
{
    QStringList combinations;
    for (const QString& id : ids) {
        const QString combination =
            CombinationOf(id == activeWindowId ? m_activeWindowKeys : m_timeLapseKeys);
        if (!combination.isEmpty())
            combinations.append(combination);
    }
    // Said once for each change of keys, as a bind of the same keys again gets the same answer.
    const QString keys = m_activeWindowKeys + QLatin1Char(' ') + m_timeLapseKeys;
    if (combinations.isEmpty() || keys == m_toldKeys)
        return;
    m_toldKeys = keys;
    emit told(QCoreApplication::translate(
                  "PortalShortcuts",
                  "The desktop did not give Vistrelle %1: another program may have taken it, "
                  "or it was refused.")
                  .arg(combinations.join(QStringLiteral(" and "))));
}

void PortalShortcuts::answered(Step step, uint code, const QVariantMap& results)
{
    // Refused where the desktop asked the user: no key of the proposal works.
    if (code != 0 && step == Step::Bind)
        tellUnbound({activeWindowId, timeLapseId});
    if (code != 0)
        return emit bound(false);
    switch (step) {
    case Step::Create: {
        const QVariant handle = results.value(QStringLiteral("session_handle"));
        m_session =
            handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
        if (m_session.isEmpty())
            return emit bound(false);
        // A desktop that took the shortcuts with the session lists them; the others are asked
        // to bind them, which may show the user a dialog.
        return request(Step::List, {QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap()});
    }
    case Step::List: {
        QStringList listed;
        QStringList kept;
        QStringList unbound;
        for (const PortalShortcut& shortcut :
             qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")))) {
            listed.append(shortcut.id);
            const QString proposed = shortcut.id == activeWindowId ? m_activeWindowKeys : m_timeLapseKeys;
            const QVariant trigger = shortcut.properties.value(QStringLiteral("trigger_description"));
            if (trigger.isValid() && trigger.toString().isEmpty())
                unbound.append(shortcut.id);
            if (trigger.isValid() && !SameKeys(trigger.toString(), proposed))
                kept.append(
                    QStringLiteral("\"%1\": %2")
                        .arg(shortcut.properties.value(QStringLiteral("description")).toString(),
                             trigger.toString().isEmpty() ? QStringLiteral("none") : trigger.toString()));
        }
        if (listed.contains(activeWindowId) && listed.contains(timeLapseId)) {
            // KDE Plasma keeps the keys it knows for a shortcut, whatever is proposed: said
            // when Options changed them, once for each change.
            const QString keys = m_activeWindowKeys + QLatin1Char(' ') + m_timeLapseKeys;
            if (m_binding > 1 && !kept.isEmpty() && keys != m_toldKeys) {
                m_toldKeys = keys;
                emit told(QCoreApplication::translate(
                              "PortalShortcuts",
                              "The desktop keeps the keys it has for Vistrelle's shortcuts (%1).  "
                              "To change them, open System Settings, Shortcuts, and choose "
                              "\"vistrelle\".")
                              .arg(kept.join(QStringLiteral(", "))));
            }
            // A key the desktop could not give when it took the shortcuts (another shortcut
            // of its own has it) leaves the shortcut without one.
            tellUnbound(unbound);
            return emit bound(true);
        }
        return request(Step::Bind, {QVariant::fromValue(QDBusObjectPath(m_session)), shortcutList(),
                                    QString(), QVariantMap()});
    }
    case Step::Bind: {
        // A desktop that says what it bound leaves a key it could not give without a trigger.
        if (results.contains(QStringLiteral("shortcuts"))) {
            QStringList unbound{activeWindowId, timeLapseId};
            for (const PortalShortcut& shortcut :
                 qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts"))))
                if (!shortcut.properties.value(QStringLiteral("trigger_description")).toString().isEmpty())
                    unbound.removeAll(shortcut.id);
            tellUnbound(unbound);
        }
        return emit bound(true);
    }
    }
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
