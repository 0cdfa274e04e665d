#pragma once

#include "platform/ShortcutLatch.h"

#include <QDBusObjectPath>
#include <QObject>
#include <QString>

/// The desktop's global shortcuts (org.freedesktop.portal.GlobalShortcuts), where the desktop
/// offers them: the program's two capture shortcuts, registered under the app id "vistrelle",
/// fire whatever window is focused. Pressing and releasing one presses and releases it in the
/// latch the hotkey poll reads.
class PortalShortcuts final : public QObject
{
    Q_OBJECT

public:
    explicit PortalShortcuts(ShortcutLatch& shortcuts);

    /// Asks the desktop for the two shortcuts, proposing \a activeWindowKeys and
    /// \a timeLapseKeys ("CTRL+k"; empty: no proposal). Answered later by bound().
    void bind(const QString& activeWindowKeys, const QString& timeLapseKeys);

    /// The proposal for a hotkey as Options sets it: key code 48-57 or 65-90 and modifier code
    /// (1 CTRL, 2 SHIFT, 3 both); empty for no key.
    static QString KeysFor(int hotkey, int modifiers);

signals:
    /// The desktop answered: \a done when both shortcuts are in place.
    void bound(bool done);

private slots:
    void activated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                   const QVariantMap& options);
    void deactivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);

private:
    void request(const QString& method, const QList<QVariant>& arguments);
    void answered(uint code, const QVariantMap& results);

    ShortcutLatch& m_shortcuts;
    QString m_activeWindowKeys;
    QString m_timeLapseKeys;
    QString m_session;
    unsigned m_requests = 0;
};
