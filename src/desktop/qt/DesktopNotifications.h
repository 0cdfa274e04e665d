#pragma once

#include "platform/Notifications.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QHash>
#include <QTimer>
#include <functional>
#include <optional>

/// Notifications through the desktop's notification server (org.freedesktop.Notifications on
/// the session bus: GNOME Shell, Plasma, dunst, mako). Nothing waits for the server: without
/// one, or without a session bus, nothing is shown.
class DesktopNotifications final : public Notifications
{
    Q_OBJECT

public:
    /// Speaks to the notification server on \a bus.
    explicit DesktopNotifications(const QDBusConnection& bus = QDBusConnection::sessionBus());

    void notify(const QString& summary, const QString& body, const QImage& picture,
                const QList<Action>& actions, const QString& about) override;
    void withdraw(std::function<void()> gone) override;

private slots:
    // The bus calls these by name: it connects its signals only that way.
    void invoked(uint id, const QString& key);
    void closed(uint id);

private:
    struct Request
    {
        QString summary;
        QString body;
        QImage picture;
        QList<Action> actions;
        QString about;
    };
    void send(const Request& request);
    void forgetShown();
    /// Asks the server to close the notification shown last.
    void close();
    /// The notification withdrawn is gone: those who waited go on.
    void withdrawn();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_server;
    bool m_sending = false;                 // a notification is on its way and its number not known yet
    std::optional<Request> m_next;          // the one to show once it is known, the latest only
    uint m_shown = 0;                       // the server's number of the notification shown last
    QHash<uint, QString> m_about;           // what each notification still shown is about
    QList<std::function<void()>> m_waiting; // for the notification withdrawn to be gone
    QTimer m_giveUp;                        // a server that never says it closed one
};
