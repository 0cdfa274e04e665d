#pragma once

#include <QImage>

/// Takes the pixels of the window the user works in.
class ScreenGrab
{
public:
    virtual ~ScreenGrab() = default;
    /// The active top-level window with its frame, at its full size; parts outside the screen
    /// are black. A null image when there is no active window or it has no area.
    virtual QImage activeWindow() = 0;
};
