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

/// True when the modifier states \a control, \a shift and \a alt (as KeyState gives them) let a
/// hotkey with modifier code \a modifiers fire: the sum of 1 CTRL, 2 SHIFT and 4 ALT, each held
/// exactly when its part is in the code; a code outside 0-7 stands for none held.
bool ModifiersPass(int modifiers, short control, short shift, short alt);

/// True when \a hotkey, in the state \a state KeyState gave for it, is down with the modifiers
/// its code asks for; code 0 is never down.
bool HotkeyDown(KeyState& keys, int hotkey, short state, int modifiers);
