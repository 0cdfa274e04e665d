#pragma once

#include <atomic>

// Xlib's Window, without pulling Xlib's macros into every includer.
using XWindow = unsigned long;
struct _XDisplay;

/// The window the user works in: the window manager's _NET_ACTIVE_WINDOW, trusted when it says
/// None (a Wayland window has the focus then, or none has, whatever the X input focus says: KDE's
/// compositor gives it to a 1x1 window of its own); the X input focus only where no window
/// manager keeps that property. None when there is none.
XWindow ActiveWindow(_XDisplay* display, XWindow root);

/// The parent of \a window; None when it is gone.
XWindow ParentWindow(_XDisplay* display, XWindow window);

/// Keeps Xlib from ending the process when the connection \a display breaks (the X server went
/// away): the window's own connection ends the program then, once, where two threads ending it
/// at the same moment left it hung. Sets \a lost, when given, so that a thread reading
/// \a display stops.
void KeepProcessOnConnectionLoss(_XDisplay* display, std::atomic_bool* lost = nullptr);

/// True once the connection \a display broke: any call on it may then wait for ever (Xlib
/// leaves it locked), so none is made, and the connection is left to the end of the process.
bool ConnectionLost(_XDisplay* display);

/// Closes the connection \a display unless it broke.
void CloseConnection(_XDisplay* display);
