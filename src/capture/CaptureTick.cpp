#include "CaptureTick.h"

#include "ScreenshotWriter.h"
#include "core/AppState.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/ScreenGrab.h"
#include "platform/Services.h"
#include "platform/Sound.h"

#include <QFileInfo>
#include <malloc.h>

namespace {

const QString timeLapseSuffix = QStringLiteral("_Time_Lapsed");

class TickGuard
{
public:
    explicit TickGuard(bool& running)
        : m_running(running)
    {
        m_running = true;
    }
    ~TickGuard() { m_running = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

private:
    bool& m_running;
};

} // namespace

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
    const short control = keys.asyncState(VirtualKey::Control);
    const short shift = keys.asyncState(VirtualKey::Shift);
    return ModifiersPass(modifiers, control, shift);
}

void PlayProgramSound(const AppState& state, Services& services, const QString& name)
{
    QString folder = state.programDir;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QString path = folder + name;
    if (QFileInfo(path).isFile())
        services.sound.play(path);
}

void PlayCaptureSound(const AppState& state, Services& services)
{
    if (state.captureSuffix == timeLapseSuffix && state.timeLapseSilent)
        return;
    PlayProgramSound(state, services, QStringLiteral("/Vistrelle.wav"));
}

void CaptureActiveWindowToClipboard(Services& services)
{
    const QImage picture = services.grab.activeWindow();
    if (picture.isNull())
        return;
    services.clipboard.setImage(picture);
    services.clock.sleep(100);
}

void PollHotkeys(AppState& state, Services& services)
{
    state.captureSuffix.clear();
    if (HotkeyDown(services.keys, state.activeWindowHotkey, state.activeWindowModifiers))
        CaptureActiveWindowToClipboard(services);

    if (HotkeyDown(services.keys, state.timeLapseHotkey, state.timeLapseModifiers)) {
        if (state.timeLapseActive) {
            state.timeLapseActive = false;
            state.timeLapseElapsedMs = 0;
            PlayProgramSound(state, services, QStringLiteral("/VistrelleOff.wav"));
        } else if (state.timeLapseSeconds != 0) {
            state.timeLapseActive = true;
            state.timeLapseElapsedMs = 999999999;
            PlayProgramSound(state, services, QStringLiteral("/VistrelleOn.wav"));
        } else {
            PlayProgramSound(state, services, QStringLiteral("/VistrelleOff.wav"));
        }
        // One key press must not toggle twice.
        services.clock.sleep(1000);
    }

    // An interval set to nothing while time-lapse runs would capture at every tick.
    if (!state.timeLapseActive || state.timeLapseSeconds <= 0)
        return;
    state.timeLapseElapsedMs += 100;
    if (state.timeLapseElapsedMs < static_cast<qint64>(state.timeLapseSeconds) * 1000)
        return;
    CaptureActiveWindowToClipboard(services);
    state.timeLapseElapsedMs = 0;
    state.captureSuffix = timeLapseSuffix;
}

void CaptureTick(AppState& state, Services& services, const CaptureWindow& window)
{
    // A message box of this tick runs a nested event loop in which the timer fires again.
    if (state.captureTickRunning)
        return;
    const TickGuard guard(state.captureTickRunning);

    PollHotkeys(state, services);
    if (!services.clipboard.hasImage())
        return;
    // An owner may ignore the clearing (a request with an older timestamp than its own): the
    // picture then stays until the clipboard changes again, and it is filed already.
    if (state.captureFiledChange && *state.captureFiledChange == services.clipboard.changeCount())
        return;
    const QString folder =
        state.libraryRoot + state.currentCategory + QLatin1Char('/') + state.currentImageSet;
    // A picture that failed to file into this Image Set was reported once; it stays on the
    // clipboard and is tried again when the clipboard or the Image Set changes.
    if (state.captureFailedChange && *state.captureFailedChange == services.clipboard.changeCount() &&
        state.captureFailedFolder == folder)
        return;
    if (window.imageSetShown && !window.imageSetShown()) {
        // Cleared before the box opens, so a picture arriving while it is open is kept.
        services.clipboard.clear();
        services.boxes.show(QStringLiteral("Please select an image set first."), BoxLook::Information);
        return;
    }
    PlayCaptureSound(state, services);
    const quint64 change = services.clipboard.changeCount();
    const bool saved = SaveScreenshot(state, services);
    // The decoded picture and its copies are large; give their memory back to the system.
    malloc_trim(0);
    if (!saved) {
        state.captureFailedChange = change;
        state.captureFailedFolder = folder;
        return;
    }
    state.captureFailedChange.reset();
    services.clipboard.clear();
    state.captureFiledChange = services.clipboard.changeCount();
    if (window.refresh)
        window.refresh();
}
