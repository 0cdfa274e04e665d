#include "DesktopNotifications.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <utility>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

/// A picture as the notification servers take it in the "image-data" hint: (iiibiiay), rows of
/// red, green, blue and alpha bytes.
struct NotificationPicture
{
    int width = 0;
    int height = 0;
    int rowStride = 0;
    bool alpha = true;
    int bitsPerSample = 8;
    int channels = 4;
    QByteArray bytes;
};

QDBusArgument& operator<<(QDBusArgument& argument, const NotificationPicture& picture)
{
    argument.beginStructure();
    argument << picture.width << picture.height << picture.rowStride << picture.alpha << picture.bitsPerSample
             << picture.channels << picture.bytes;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, NotificationPicture& picture)
{
    argument.beginStructure();
    argument >> picture.width >> picture.height >> picture.rowStride >> picture.alpha >>
        picture.bitsPerSample >> picture.channels >> picture.bytes;
    argument.endStructure();
    return argument;
}

} // namespace

Q_DECLARE_METATYPE(NotificationPicture)

DesktopNotifications::DesktopNotifications(const QDBusConnection& bus)
    : m_bus(bus)
{
    qDBusRegisterMetaType<NotificationPicture>();
    if (!m_bus.isConnected())
        return;
    m_bus.connect(service, path, service, QStringLiteral("ActionInvoked"), this,
                  SLOT(invoked(uint, QString)));
    m_bus.connect(service, path, service, QStringLiteral("NotificationClosed"), this, SLOT(closed(uint)));
    // Another server numbers its notifications afresh: the number of the one shown before
    // would replace another program's.
    m_server.setConnection(m_bus);
    m_server.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_server.addWatchedService(service);
    connect(&m_server, &QDBusServiceWatcher::serviceOwnerChanged, this, &DesktopNotifications::forgetShown);
    m_giveUp.setSingleShot(true);
    m_giveUp.setInterval(1000);
    connect(&m_giveUp, &QTimer::timeout, this, &DesktopNotifications::withdrawn);
}

void DesktopNotifications::notify(const QString& summary, const QString& body, const QImage& picture,
                                  const QList<Action>& actions, const QString& about)
{
    // A call on a connection that never was would never be answered.
    if (!m_bus.isConnected())
        return;
    // Until the server has numbered the one on its way, another would be shown beside it
    // rather than in its place: a burst of captures ends in one notification, of the last.
    if (m_sending) {
        m_next = Request{summary, body, picture, actions, about};
        return;
    }
    send({summary, body, picture, actions, about});
}

void DesktopNotifications::send(const Request& request)
{
    QStringList keys;
    for (const Action& action : request.actions)
        keys << action.key << action.label;
    QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("vistrelle")}};
    if (!request.picture.isNull()) {
        const QImage rows = request.picture.convertToFormat(QImage::Format_RGBA8888);
        hints.insert(QStringLiteral("image-data"),
                     QVariant::fromValue(NotificationPicture{
                         rows.width(), rows.height(), static_cast<int>(rows.bytesPerLine()), true, 8, 4,
                         QByteArray(reinterpret_cast<const char*>(rows.constBits()), rows.sizeInBytes())}));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    call << QStringLiteral("Vistrelle") << m_shown << QStringLiteral("vistrelle") << request.summary
         << request.body << keys << hints << -1;
    m_sending = true;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, about = request.about] {
        watcher->deleteLater();
        m_sending = false;
        const QDBusPendingReply<uint> reply = *watcher;
        // No server: nothing is shown, and that is no failure of the program's.
        if (!reply.isError()) {
            m_about.remove(m_shown);
            m_shown = reply.value();
            m_about.insert(m_shown, about);
        }
        if (m_next)
            send(*std::exchange(m_next, std::nullopt));
        // Withdrawn while it was on its way: it goes as soon as it has its number.
        else if (!m_waiting.isEmpty())
            m_shown != 0 ? close() : withdrawn();
    });
}

void DesktopNotifications::withdraw(std::function<void()> gone)
{
    m_next.reset();
    if (!m_bus.isConnected() || (m_shown == 0 && !m_sending)) {
        gone();
        return;
    }
    m_waiting.append(std::move(gone));
    m_giveUp.start();
    if (!m_sending)
        close();
}

void DesktopNotifications::close()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, service, QStringLiteral("CloseNotification"));
    call << m_shown;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        // Gone already (expired, closed by the user): no word of its closing comes.
        if (watcher->isError())
            withdrawn();
    });
}

void DesktopNotifications::withdrawn()
{
    m_giveUp.stop();
    forgetShown();
    for (const std::function<void()>& gone : std::exchange(m_waiting, {}))
        gone();
}

void DesktopNotifications::invoked(uint id, const QString& key)
{
    if (const auto found = m_about.constFind(id); found != m_about.cend())
        emit actionInvoked(*found, key);
}

void DesktopNotifications::closed(uint id)
{
    m_about.remove(id);
    if (id != m_shown)
        return;
    m_shown = 0;
    if (!m_waiting.isEmpty() && !m_sending)
        withdrawn();
}

void DesktopNotifications::forgetShown()
{
    m_about.clear();
    m_shown = 0;
}
