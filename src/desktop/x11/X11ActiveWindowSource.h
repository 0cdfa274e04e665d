#pragma once

#include "platform/ActiveWindowSource.h"

#include <memory>

struct _XDisplay;

/// The active window as the X server knows it: _NET_ACTIVE_WINDOW, else the input focus, with
/// its title (_NET_WM_NAME, else WM_NAME) and its class (WM_CLASS). Under XWayland only X11
/// programs are known; a Wayland window gives an empty source.
class X11ActiveWindowSource final : public ActiveWindowSource
{
public:
    X11ActiveWindowSource();
    ~X11ActiveWindowSource() override;
    PictureSource activeWindow() override;

private:
    struct DisplayCloser
    {
        void operator()(_XDisplay* display) const;
    };
    std::unique_ptr<_XDisplay, DisplayCloser> m_display;
};
