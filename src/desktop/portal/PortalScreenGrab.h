#pragma once

#include "platform/ScreenGrab.h"

#include <QDateTime>
#include <QPointer>
#include <QTimer>

class PortalRequest;

/// The whole screen from the desktop's screenshot portal (org.freedesktop.portal.Screenshot),
/// asked not to show a dialog: where no interface gives the active window alone. The portal
/// asks the user once whether applications may take screenshots: the program says first what
/// the question is about, and asks nothing more until the answer.
class PortalScreenGrab final : public ScreenGrab
{
    Q_OBJECT

public:
    /// \a desktopAsks: the desktop's portal asks the user before its first screenshot (GNOME's
    /// does; KDE Plasma's and wlroots' do not).
    explicit PortalScreenGrab(bool desktopAsks = false);
    ~PortalScreenGrab() override;
    void grab() override;
    void proceed() override;

private:
    enum class Permission { Granted, Refused, NotGiven };
    void lookUpPermission(const std::function<void(Permission)>& then);
    void ask();
    void answered(uint code, const QVariantMap& results);
    void end();

    unsigned m_requests = 0;
    QPointer<PortalRequest> m_request; // the request under way
    bool m_granted = false;            // as the permission store said before the request
    bool m_desktopAsks;
    bool m_explained = false; // the user was told what the desktop's question is about
    QDateTime m_asked;        // when the request was made
    QTimer m_deadline;
};
