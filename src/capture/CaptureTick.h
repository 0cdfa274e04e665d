#pragma once

class CaptureEngine;
struct AppState;
struct Services;
class KeyState;

/// One 100 ms tick: polls the hotkeys and time-lapse, then lets the engine look whether a picture
/// that could not be filed can be now. A tick never runs inside another.
void CaptureTick(AppState& state, Services& services, CaptureEngine& engine);

/// The hotkeys and time-lapse of one tick.
void PollHotkeys(AppState& state, Services& services, CaptureEngine& engine);

/// True when the modifier states \a control and \a shift (as KeyState gives them) let a hotkey
/// with modifier code \a modifiers fire: 1 CTRL, 2 SHIFT, 3 both, anything else neither.
bool ModifiersPass(int modifiers, short control, short shift);

/// True when \a hotkey is down with the modifiers its code asks for; code 0 is never down.
bool HotkeyDown(KeyState& keys, int hotkey, int modifiers);
