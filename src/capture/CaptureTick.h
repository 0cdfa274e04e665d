#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <optional>

struct AppState;
struct Services;
class KeyState;

/// One 100 ms tick: polls the hotkeys, then files a picture found on the clipboard into the
/// current Image Set and clears the clipboard. \a imageSetShown is false when the window that
/// ticks shows no Image Set to file into. Empty when there was nothing to file; done when a
/// picture was filed (the window brings its lists up to date); otherwise the message to tell,
/// once per clipboard picture.
std::optional<Outcome> CaptureTick(AppState& state, Services& services, bool imageSetShown);

/// The hotkeys and time-lapse of one tick.
void PollHotkeys(AppState& state, Services& services);

/// True when the modifier states \a control and \a shift (as KeyState gives them) let a hotkey
/// with modifier code \a modifiers fire: 1 CTRL, 2 SHIFT, 3 both, anything else neither.
bool ModifiersPass(int modifiers, short control, short shift);

/// True when \a hotkey is down with the modifiers its code asks for; code 0 is never down.
bool HotkeyDown(KeyState& keys, int hotkey, int modifiers);

/// Puts a picture of the active window on the clipboard and waits 100 ms.
void CaptureActiveWindowToClipboard(Services& services);

void PlayCaptureSound(const AppState& state, Services& services);

/// Plays \a name (beginning with "/") from the program's folder when that file exists.
void PlayProgramSound(const AppState& state, Services& services, const QString& name);
