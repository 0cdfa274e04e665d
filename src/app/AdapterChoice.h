#pragma once

#include "desktop/wayland/DesktopSession.h"

#include <memory>

class Clipboard;
class ScreenGrab;

/// The way to the clipboard's pictures that a session allows.
enum class ClipboardWay {
    X11,            ///< an X11 session: the X clipboard
    XWayland,       ///< a Wayland session without data-control: the X clipboard, emptied by owning it
    ExtDataControl, ///< ext-data-control-v1
    WlrDataControl, ///< zwlr_data_control_manager_v1
};

/// The best way the session offers: a data-control protocol where the compositor has one
/// (the standard one first), else the X clipboard.
ClipboardWay ChooseClipboard(const DesktopSession& session);

/// The clipboard for \a session; where a data-control connection fails after all, the X
/// clipboard as under XWayland.
std::unique_ptr<Clipboard> MakeClipboard(const DesktopSession& session);

/// The way to the picture of the active window that a session allows.
enum class WindowGrabWay {
    X11, ///< an X11 session: the frame's rectangle, read from the root window
    // A Wayland session: an X11 window is read from its own frame window; a Wayland window...
    WlrootsScreencopy, ///< ...is the focused rectangle from the compositor's IPC, its pixels
                       ///< through the screencopy protocol
    KWinScreenShot,    ///< ...comes from KDE's compositor where it grants it, else as Portal
    Portal,            ///< ...is the whole screen from the screenshot portal
};

/// The best way the session offers: wlroots desktops that answer sway's IPC and KDE Plasma
/// give the active Wayland window; elsewhere no interface does.
WindowGrabWay ChooseWindowGrab(const DesktopSession& session);

/// The window capture for \a session.
std::unique_ptr<ScreenGrab> MakeScreenGrab(const DesktopSession& session);

/// Where the hotkeys come from, besides the command line of a second start.
enum class HotkeyWay {
    X11Keys,          ///< an X11 session: the keyboard, read without grabbing keys
    X11KeysAndPortal, ///< a Wayland session: the keyboard while an X11 window is focused, and
                      ///< the desktop's global shortcuts where it offers them
};

HotkeyWay ChooseHotkeys(const DesktopSession& session);
