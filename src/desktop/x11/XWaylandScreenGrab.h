#pragma once

#include "X11ScreenGrab.h"

#include <memory>

/// The active window on a Wayland desktop, for a program running under XWayland: an X11
/// window is read from its own frame window, at once; a Wayland window, which X11 cannot see,
/// through \a wayland, the compositor's way, which answers in its own time (none: no picture).
class XWaylandScreenGrab final : public ScreenGrab
{
    Q_OBJECT

public:
    explicit XWaylandScreenGrab(std::unique_ptr<ScreenGrab> wayland);
    ~XWaylandScreenGrab() override;
    void grab() override;
    void proceed() override;

private:
    X11ScreenGrab m_x11{X11ScreenGrab::ReadFrom::Frame};
    std::unique_ptr<ScreenGrab> m_wayland;
};
