#include "CaptureTick.h"

#include "CaptureEngine.h"
#include "CaptureSounds.h"
#include "core/AppState.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/Services.h"
#include "platform/ShortcutLatch.h"

bool ModifiersPass(int modifiers, short control, short shift, short alt)
{
    if (modifiers < 0 || modifiers > HotkeyModifier::All)
        modifiers = 0;
    // A modifier left out must be untouched: one pressed since the last look blocks as well.
    const auto matches = [modifiers](int modifier, short state) {
        return (modifiers & modifier) ? state < 0 : state == 0;
    };
    return matches(HotkeyModifier::Control, control) && matches(HotkeyModifier::Shift, shift) &&
           matches(HotkeyModifier::Alt, alt);
}

bool HotkeyDown(KeyState& keys, int hotkey, short state, int modifiers)
{
    if (hotkey == 0 || state >= 0)
        return false;
    // A plain k typed just before Ctrl+Shift is pressed is no Ctrl+Shift+K.
    if (const std::optional<int> held = keys.modifiersAtPress(hotkey)) {
        const auto heldAtPress = [&held](int modifier) {
            return static_cast<short>((*held & modifier) ? -1 : 0);
        };
        return ModifiersPass(modifiers, heldAtPress(HotkeyModifier::Control),
                             heldAtPress(HotkeyModifier::Shift), heldAtPress(HotkeyModifier::Alt));
    }
    const short control = keys.asyncState(VirtualKey::Control);
    const short shift = keys.asyncState(VirtualKey::Shift);
    const short alt = keys.asyncState(VirtualKey::Alt);
    return ModifiersPass(modifiers, control, shift, alt);
}

void PollHotkeys(AppState& state, Services& services, CaptureEngine& engine)
{
    // Each key is looked at once a tick: the look takes a tap's latch, and two hotkeys on one key
    // with other modifiers (Print, Alt+Print) both see it.
    const int activeWindowHotkey = state.settings.activeWindowHotkey;
    const int timeLapseHotkey = state.settings.timeLapseHotkey;
    const short activeWindowState =
        activeWindowHotkey == 0 ? 0 : services.keys.asyncState(activeWindowHotkey);
    const short timeLapseState = timeLapseHotkey == activeWindowHotkey ? activeWindowState
                                 : timeLapseHotkey == 0                ? 0
                                                        : services.keys.asyncState(timeLapseHotkey);
    // Both looks are taken every tick, so a shortcut fired while the key is held counts once.
    const bool activeWindowKey = HotkeyDown(services.keys, activeWindowHotkey, activeWindowState,
                                            state.settings.activeWindowModifiers);
    if (services.shortcuts.fired(Shortcut::ActiveWindow) || activeWindowKey)
        engine.window().request(QString());

    const bool timeLapseKey =
        HotkeyDown(services.keys, timeLapseHotkey, timeLapseState, state.settings.timeLapseModifiers);
    if (services.shortcuts.fired(Shortcut::TimeLapse) || timeLapseKey) {
        const bool wasRunning = state.timeLapseActive;
        if (state.timeLapseActive) {
            state.timeLapseActive = false;
            state.timeLapseElapsedMs = 0;
            PlayProgramSound(state, services, QStringLiteral("/VistrelleOff.wav"));
        } else if (state.settings.timeLapseSeconds != 0) {
            state.timeLapseActive = true;
            state.timeLapseElapsedMs = 999999999;
            PlayProgramSound(state, services, QStringLiteral("/VistrelleOn.wav"));
        } else {
            PlayProgramSound(state, services, QStringLiteral("/VistrelleOff.wav"));
        }
        if (state.timeLapseActive != wasRunning)
            emit engine.timeLapseChanged(state.timeLapseActive);
        // One key press must not toggle twice.
        services.clock.sleep(1000);
    }

    // An interval set to nothing while time-lapse runs would capture at every tick.
    if (!state.timeLapseActive || state.settings.timeLapseSeconds <= 0)
        return;
    state.timeLapseElapsedMs += 100;
    if (state.timeLapseElapsedMs < static_cast<qint64>(state.settings.timeLapseSeconds) * 1000)
        return;
    state.timeLapseElapsedMs = 0;
    engine.window().request(TimeLapseSuffix);
}

void CaptureTick(AppState& state, Services& services, CaptureEngine& engine)
{
    // Were anything in the tick to run the event loop, the timer's next tick would otherwise
    // poll and capture inside this one.
    if (state.capturePaused || state.tickRunning)
        return;
    state.tickRunning = true;
    PollHotkeys(state, services, engine);
    engine.check();
    state.tickRunning = false;
}
