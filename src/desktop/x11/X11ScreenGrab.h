#pragma once

#include "platform/ScreenGrab.h"

#include <QRect>

/// The active window from the X server: _NET_ACTIVE_WINDOW, else the input focus, climbed to
/// its top-level frame (the child of the root window). Null when no X11 window is active, or
/// its pixels cannot be read.
class X11ScreenGrab final : public ScreenGrab
{
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
    QImage activeWindow() override;

private:
    ReadFrom m_readFrom;
};

/// The part of \a window that lies on a screen of \a screenSize, in window coordinates; empty
/// when none does.
QRect VisiblePart(const QRect& window, const QSize& screenSize);
