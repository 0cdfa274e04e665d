#pragma once

#include "platform/Notifications.h"

#include <QHash>

/// Notifications through the desktop's notification server (org.freedesktop.Notifications on
/// the session bus: GNOME Shell, Plasma, dunst, mako). Nothing waits for the server: without
/// one, or without a session bus, nothing is shown.
class DesktopNotifications final : public Notifications
{
    Q_OBJECT

public:
    DesktopNotifications();

    void notify(const QString& summary, const QString& body, const QImage& picture,
                const QList<Action>& actions, const QString& about) override;

private slots:
    // The bus calls these by name: it connects its signals only that way.
    void invoked(uint id, const QString& key);
    void closed(uint id);

private:
    bool m_connected = false;
    uint m_shown = 0;             // the server's number of the notification shown last
    QHash<uint, QString> m_about; // what each notification still shown is about
};
