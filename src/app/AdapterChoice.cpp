#include "AdapterChoice.h"

#include "desktop/portal/KWinScreenGrab.h"
#include "desktop/portal/PortalScreenGrab.h"
#include "desktop/qt/QtClipboard.h"
#include "desktop/wayland/WaylandClipboard.h"
#include "desktop/wayland/WlrootsScreenGrab.h"
#include "desktop/x11/XWaylandScreenGrab.h"

ClipboardWay ChooseClipboard(const DesktopSession& session)
{
    if (!session.wayland)
        return ClipboardWay::X11;
    if (session.globals.contains(QLatin1String("ext_data_control_manager_v1")))
        return ClipboardWay::ExtDataControl;
    if (session.globals.contains(QLatin1String("zwlr_data_control_manager_v1")))
        return ClipboardWay::WlrDataControl;
    return ClipboardWay::XWayland;
}

std::unique_ptr<Clipboard> MakeClipboard(const DesktopSession& session)
{
    std::unique_ptr<Clipboard> clipboard;
    switch (ChooseClipboard(session)) {
    case ClipboardWay::ExtDataControl:
        clipboard = WaylandClipboard::open(WaylandClipboard::Protocol::Ext);
        break;
    case ClipboardWay::WlrDataControl:
        clipboard = WaylandClipboard::open(WaylandClipboard::Protocol::Wlr);
        break;
    case ClipboardWay::X11:
        return std::make_unique<QtClipboard>();
    case ClipboardWay::XWayland:
        break;
    }
    if (!clipboard)
        clipboard = std::make_unique<QtClipboard>(QtClipboard::Clearing::OwnsNothing);
    return clipboard;
}

WindowGrabWay ChooseWindowGrab(const DesktopSession& session)
{
    if (!session.wayland)
        return WindowGrabWay::X11;
    if (session.windowGrab == QLatin1String("portal"))
        return WindowGrabWay::Portal;
    if (session.windowGrab == QLatin1String("kwin"))
        return WindowGrabWay::KWinScreenShot;
    if (session.windowGrab == QLatin1String("screencopy"))
        return WindowGrabWay::WlrootsScreencopy;
    if (session.swayIpc && session.globals.contains(QLatin1String("zwlr_screencopy_manager_v1")))
        return WindowGrabWay::WlrootsScreencopy;
    if (session.desktop.split(QLatin1Char(':')).contains(QLatin1String("KDE")))
        return WindowGrabWay::KWinScreenShot;
    return WindowGrabWay::Portal;
}

std::unique_ptr<ScreenGrab> MakeScreenGrab(const DesktopSession& session)
{
    switch (ChooseWindowGrab(session)) {
    case WindowGrabWay::X11:
        return std::make_unique<X11ScreenGrab>();
    case WindowGrabWay::WlrootsScreencopy:
        return std::make_unique<XWaylandScreenGrab>(std::make_unique<WlrootsScreenGrab>());
    case WindowGrabWay::KWinScreenShot:
        return std::make_unique<XWaylandScreenGrab>(
            std::make_unique<KWinScreenGrab>(std::make_unique<PortalScreenGrab>()));
    case WindowGrabWay::Portal:
        break;
    }
    const bool gnome = session.desktop.split(QLatin1Char(':')).contains(QLatin1String("GNOME"));
    return std::make_unique<XWaylandScreenGrab>(std::make_unique<PortalScreenGrab>(gnome));
}

HotkeyWay ChooseHotkeys(const DesktopSession& session)
{
    return session.wayland ? HotkeyWay::X11KeysAndPortal : HotkeyWay::X11Keys;
}
