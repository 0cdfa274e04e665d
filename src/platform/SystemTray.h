#pragma once

/// The desktop's notification area, as the low-resource window needs to know it.
class SystemTray
{
public:
    virtual ~SystemTray() = default;
    /// True when the desktop shows tray icons now. Without a tray a hidden window could never
    /// be brought back, so the caller keeps it on the taskbar instead. Asked at each use: a
    /// panel may start or stop while Vistrelle runs.
    virtual bool available() = 0;
};
