#include "AdapterChoice.h"

#include "platform/QtClipboard.h"
#include "platform/WaylandClipboard.h"

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
