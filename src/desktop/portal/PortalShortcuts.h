#pragma once

#include "platform/ShortcutLatch.h"

#include <QDBusObjectPath>
#include <QObject>
#include <QString>

/// The desktop's global shortcuts (org.freedesktop.portal.GlobalShortcuts), where the desktop
/// offers them: the program's two capture shortcuts, registered for the application
/// "org.vistrelle.Vistrelle" in a session named "vistrelle", fire whatever window is focused.
/// Pressing and releasing one presses and releases it in the latch the hotkey poll reads.
class PortalShortcuts final : public QObject
{
    Q_OBJECT

public:
    explicit PortalShortcuts(ShortcutLatch& shortcuts);

    /// Asks the desktop for the two shortcuts, proposing \a activeWindowKeys and
    /// \a timeLapseKeys ("CTRL+k"; empty: no proposal); asked again, in a new session, with new
    /// keys. Answered later by bound().
    void bind(const QString& activeWindowKeys, const QString& timeLapseKeys);

    /// The proposal for a hotkey as a settings file may name it: a virtual-key code (HotkeyNamed)
    /// and modifier code (HotkeyModifier: 1 CTRL, 2 SHIFT, 4 ALT, summed); empty for no key.
    static QString KeysFor(int hotkey, int modifiers);

    /// The keys of a proposal (\a proposed, "CTRL+ALT+Print", as KeysFor writes them) as Options
    /// names them ("Ctrl+Alt+Print"); empty for none.
    static QString CombinationOf(const QString& proposed);

    /// True when the desktop's description of a shortcut's keys (\a described, "Ctrl+K") names
    /// the keys \a proposed ("CTRL+k", as KeysFor writes them); both empty for none.
    static bool SameKeys(const QString& described, const QString& proposed);

signals:
    /// The desktop answered: \a done when both shortcuts are in place.
    void bound(bool done);
    /// New keys were proposed, and the desktop kept the ones it had, or did not give some:
    /// what the user is to be told.
    void told(const QString& text);

private slots:
    void activated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                   const QVariantMap& options);
    void deactivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);

private:
    enum class Step { Create, List, Bind };
    void request(Step step, const QList<QVariant>& arguments);
    void answered(Step step, uint code, const QVariantMap& results);
    QVariant shortcutList() const;
    /// Tells the keys proposed for the shortcuts \a ids that the desktop did not bind.
    void tellUnbound(const QStringList& ids);

    ShortcutLatch& m_shortcuts;
    QString m_activeWindowKeys;
    QString m_timeLapseKeys;
    QString m_session;
    bool m_listening = false;
    unsigned m_requests = 0;
    unsigned m_binding = 0; // the bind() whose answers count; earlier ones' are stale
    QString m_toldKeys;     // the keys the user was told about last
};
