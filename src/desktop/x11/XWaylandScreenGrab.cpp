#include "XWaylandScreenGrab.h"

XWaylandScreenGrab::XWaylandScreenGrab(std::unique_ptr<ScreenGrab> wayland)
    : m_wayland(std::move(wayland))
{
}

XWaylandScreenGrab::~XWaylandScreenGrab() = default;

QImage XWaylandScreenGrab::activeWindow()
{
    // The compositor has no X11 window active while a Wayland window has the focus.
    QImage picture = m_x11.activeWindow();
    if (!picture.isNull() || !m_wayland || m_busy)
        return picture;
    // A way that waits for the desktop's answer runs the event loop meanwhile, and with it the
    // next tick: that tick takes no picture of its own.
    m_busy = true;
    picture = m_wayland->activeWindow();
    m_busy = false;
    return picture;
}
