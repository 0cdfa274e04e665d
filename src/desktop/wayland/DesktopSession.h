#pragma once

#include <QString>
#include <QStringList>

/// What the desktop session offers, as far as the choice of the ways to the clipboard, the
/// screen and the keys goes.
struct DesktopSession
{
    bool wayland = false; ///< a Wayland compositor answers where WAYLAND_DISPLAY says
    QStringList globals;  ///< the Wayland interfaces the compositor offers
    QString desktop;      ///< XDG_CURRENT_DESKTOP, upper case, e.g. "KDE", "GNOME", "SWAY"
    bool swayIpc = false; ///< SWAYSOCK names the compositor's IPC socket
    QString windowGrab;   ///< VISTRELLE_WINDOW_GRAB: "portal", "kwin" or "screencopy", a way the
                          ///< tests choose for Wayland windows
};

/// The session this program runs in, from its environment and the compositor's own list of
/// interfaces.
DesktopSession ProbeDesktopSession();
