#pragma once

#include "platform/ScreenGrab.h"

#include <QByteArray>
#include <QTimer>
#include <QVariantMap>
#include <memory>
#include <optional>

class QDBusPendingCallWatcher;
class QSocketNotifier;

/// The active window from KDE Plasma's compositor (org.kde.KWin.ScreenShot2), which gives it
/// to programs whose desktop entry names that interface; where it refuses, \a otherwise. The
/// pixels come through a pipe, read as they arrive.
class KWinScreenGrab final : public ScreenGrab
{
    Q_OBJECT

public:
    explicit KWinScreenGrab(std::unique_ptr<ScreenGrab> otherwise);
    ~KWinScreenGrab() override;
    void grab() override;
    void proceed() override;

private:
    void replied();
    void readable();
    void settle();
    void refused(const QString& why);
    void close();

    std::unique_ptr<ScreenGrab> m_otherwise;
    QString m_refusal; // told with the other way's reason when that fails too
    // the grab under way
    int m_pipe = -1;
    QSocketNotifier* m_notifier = nullptr;
    QDBusPendingCallWatcher* m_reply = nullptr;
    std::optional<QVariantMap> m_layout;
    QByteArray m_bytes;
    bool m_ended = false;
    QTimer m_deadline;
};
