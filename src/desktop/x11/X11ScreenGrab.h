#pragma once

#include "platform/ScreenGrab.h"

/// The active window from the X server: _NET_ACTIVE_WINDOW, else (without a window manager that
/// keeps it) the input focus, climbed to its top-level frame (the child of the root window).
/// Answered at once, from within grab().
class X11ScreenGrab final : public ScreenGrab
{
    Q_OBJECT

public:
    enum class ReadFrom {
        Root,  ///< an X11 desktop: the frame's rectangle of the screen, so the frame the window
               ///< manager draws is included
        Frame, ///< XWayland: the frame window itself, since the root window there holds no
               ///< pixels (the compositor draws the frames, outside X11)
    };

    explicit X11ScreenGrab(ReadFrom readFrom = ReadFrom::Root)
        : m_readFrom(readFrom)
    {
    }
    void grab() override;
    /// The picture itself: null when no X11 window is active, or its pixels cannot be read.
    QImage activeWindow();

private:
    ReadFrom m_readFrom;
};
