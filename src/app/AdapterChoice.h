#pragma once

#include "platform/DesktopSession.h"

#include <memory>

class Clipboard;

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
