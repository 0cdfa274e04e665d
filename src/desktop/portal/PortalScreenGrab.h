#pragma once

#include "platform/ScreenGrab.h"

#include <QDateTime>
#include <QPointer>
#include <QTimer>

class PortalRequest;

/// The whole screen from the desktop's screenshot portal (org.freedesktop.portal.Screenshot),
/// asked not to show a dialog: where no interface gives the active window alone. The portal
/// asks the user once whether applications may take screenshots; meanwhile the program says
/// what it waits for, and asks nothing more until the answer.
class PortalScreenGrab final : public ScreenGrab
{
    Q_OBJECT

public:
    PortalScreenGrab();
    ~PortalScreenGrab() override;
    void grab() override;

private:
    enum class Permission { Granted, Refused, NotGiven };
    void lookUpPermission(const std::function<void(Permission)>& then);
    void ask();
    void answered(uint code, const QVariantMap& results);
    void end();

    unsigned m_requests = 0;
    QPointer<PortalRequest> m_request; // the request under way
    bool m_granted = false;            // as the permission store said before the request
    QDateTime m_asked;                 // when the request was made
    QTimer m_patience;                 // an answer slower than this waits for the user
    QTimer m_deadline;
};
