#include "CapturePause.h"

#include "CaptureEngine.h"
#include "core/AppState.h"
#include "platform/KeyState.h"
#include "platform/Services.h"
#include "platform/ShortcutLatch.h"

void SetCapturePaused(AppState& state, Services& services, CaptureEngine& engine, bool paused)
{
    state.capturePaused = paused;
    emit engine.pausedChanged(paused);
    if (paused)
        return;
    // The picture was copied for another program: it counts as handled until the clipboard
    // changes again.
    engine.passOverPresent();
    // Asking for a key, or looking at a shortcut, forgets the presses latched since the last look.
    for (const int hotkey : {state.settings.activeWindowHotkey, state.settings.timeLapseHotkey})
        services.keys.asyncState(hotkey);
    for (const Shortcut shortcut : {Shortcut::ActiveWindow, Shortcut::TimeLapse})
        services.shortcuts.fired(shortcut);
}
