#pragma once

#include <functional>

struct AppState;
struct Services;

/// One capture tick for the window that owns the ticking timer: runs CaptureTick, tells its
/// message and, after a picture was filed, runs \a refresh. Never runs inside itself: a message
/// box runs a nested event loop in which the timer fires again.
void TickAndTell(AppState& state, Services& services, bool imageSetShown,
                 const std::function<void()>& refresh);
