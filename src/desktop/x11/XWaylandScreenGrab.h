#pragma once

#include "X11ScreenGrab.h"

#include <memory>

/// The active window on a Wayland desktop, for a program running under XWayland: an X11
/// window is read from its own frame window; a Wayland window, which X11 cannot see, through
/// \a wayland, the compositor's way (none: no picture).
class XWaylandScreenGrab final : public ScreenGrab
{
public:
    explicit XWaylandScreenGrab(std::unique_ptr<ScreenGrab> wayland);
    ~XWaylandScreenGrab() override;
    QImage activeWindow() override;

private:
    X11ScreenGrab m_x11{X11ScreenGrab::ReadFrom::Frame};
    std::unique_ptr<ScreenGrab> m_wayland;
    bool m_busy = false;
};
