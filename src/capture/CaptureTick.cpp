#include "CaptureTick.h"

#include "CaptureEngine.h"
#include "CaptureSounds.h"
#include "core/AppState.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/Services.h"
#include "platform/ShortcutLatch.h"

bool ModifiersPass(int modifiers, short control, short shift)
{
    switch (modifiers) {
    case 1:
        return control < 0 && shift == 0;
    case 2:
        return control == 0 && shift < 0;
    case 3:
        return control < 0 && shift < 0;
    default:
        return control == 0 && shift == 0;
    }
}

bool HotkeyDown(KeyState& keys, int hotkey, int modifiers)
{
    if (hotkey == 0 || keys.asyncState(hotkey) >= 0)
        return false;
    // A plain k typed just before Ctrl+Shift is pressed is no Ctrl+Shift+K.
    if (const std::optional<int> held = keys.modifiersAtPress(hotkey))
        return ModifiersPass(modifiers, (*held & 1) ? -1 : 0, (*held & 2) ? -1 : 0);
    const short control = keys.asyncState(VirtualKey::Control);
    const short shift = keys.asyncState(VirtualKey::Shift);
    return ModifiersPass(modifiers, control, shift);
}

void PollHotkeys(AppState& state, Services& services, CaptureEngine& engine)
{
    // Both looks are taken every tick, so a shortcut fired while the key is held counts once.
    const bool activeWindowKey =
        HotkeyDown(services.keys, state.settings.activeWindowHotkey, state.settings.activeWindowModifiers);
    if (services.shortcuts.fired(Shortcut::ActiveWindow) || activeWindowKey)
        engine.window().request(QString());

    const bool timeLapseKey =
        HotkeyDown(services.keys, state.settings.timeLapseHotkey, state.settings.timeLapseModifiers);
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
