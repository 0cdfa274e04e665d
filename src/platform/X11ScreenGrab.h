#pragma once

#include "ScreenGrab.h"

#include <QRect>

/// The active window from the X server: _NET_ACTIVE_WINDOW, else the input focus, climbed to
/// its top-level frame (the child of the root window), read from the root window so that the
/// frame the window manager draws is included.
class X11ScreenGrab final : public ScreenGrab
{
public:
    QImage activeWindow() override;
};

/// The part of \a window that lies on a screen of \a screenSize, in window coordinates; empty
/// when none does.
QRect VisiblePart(const QRect& window, const QSize& screenSize);
