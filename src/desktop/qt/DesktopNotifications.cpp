#include "DesktopNotifications.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

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

DesktopNotifications::DesktopNotifications()
{
    qDBusRegisterMetaType<NotificationPicture>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    m_connected = bus.isConnected();
    if (!m_connected)
        return;
    bus.connect(service, path, service, QStringLiteral("ActionInvoked"), this, SLOT(invoked(uint, QString)));
    bus.connect(service, path, service, QStringLiteral("NotificationClosed"), this, SLOT(closed(uint)));
}

void DesktopNotifications::notify(const QString& summary, const QString& body, const QImage& picture,
                                  const QList<Action>& actions, const QString& about)
{
    if (!m_connected)
        return;
    QStringList keys;
    for (const Action& action : actions)
        keys << action.key << action.label;
    QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("vistrelle")}};
    if (!picture.isNull()) {
        const QImage rows = picture.convertToFormat(QImage::Format_RGBA8888);
        hints.insert(QStringLiteral("image-data"),
                     QVariant::fromValue(NotificationPicture{
                         rows.width(), rows.height(), static_cast<int>(rows.bytesPerLine()), true, 8, 4,
                         QByteArray(reinterpret_cast<const char*>(rows.constBits()), rows.sizeInBytes())}));
    }
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Notify"));
    call << QStringLiteral("Vistrelle") << m_shown << QStringLiteral("vistrelle") << summary << body << keys
         << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, about] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        // No server: nothing is shown, and that is no failure of the program's.
        if (reply.isError())
            return;
        m_about.remove(m_shown);
        m_shown = reply.value();
        m_about.insert(m_shown, about);
    });
}

void DesktopNotifications::invoked(uint id, const QString& key)
{
    if (const auto found = m_about.constFind(id); found != m_about.cend())
        emit actionInvoked(*found, key);
}

void DesktopNotifications::closed(uint id)
{
    m_about.remove(id);
    if (id == m_shown)
        m_shown = 0;
}
