#pragma once

#include "platform/ScreenGrab.h"

/// The whole screen from the desktop's screenshot portal (org.freedesktop.portal.Screenshot),
/// asked not to show a dialog: where no interface gives the active window alone.
class PortalScreenGrab final : public ScreenGrab
{
public:
    QImage activeWindow() override;

private:
    unsigned m_requests = 0;
};
