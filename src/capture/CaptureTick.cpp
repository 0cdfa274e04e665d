#include "CaptureTick.h"

#include "ScreenshotWriter.h"
#include "core/AppState.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FreedMemory.h"
#include "platform/KeyState.h"
#include "platform/ScreenGrab.h"
#include "platform/Services.h"
#include "platform/Sound.h"

#include <QFileInfo>

namespace {

const QString timeLapseSuffix = QStringLiteral("_Time_Lapsed");

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
    if (state.captureSuffix == timeLapseSuffix && state.settings.timeLapseSilent)
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
    if (HotkeyDown(services.keys, state.settings.activeWindowHotkey, state.settings.activeWindowModifiers))
        CaptureActiveWindowToClipboard(services);

    if (HotkeyDown(services.keys, state.settings.timeLapseHotkey, state.settings.timeLapseModifiers)) {
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
        // One key press must not toggle twice.
        services.clock.sleep(1000);
    }

    // An interval set to nothing while time-lapse runs would capture at every tick.
    if (!state.timeLapseActive || state.settings.timeLapseSeconds <= 0)
        return;
    state.timeLapseElapsedMs += 100;
    if (state.timeLapseElapsedMs < static_cast<qint64>(state.settings.timeLapseSeconds) * 1000)
        return;
    CaptureActiveWindowToClipboard(services);
    state.timeLapseElapsedMs = 0;
    state.captureSuffix = timeLapseSuffix;
}

std::optional<Outcome> CaptureTick(AppState& state, Services& services, bool imageSetShown)
{
    if (state.capturePaused)
        return std::nullopt;
    PollHotkeys(state, services);
    if (!services.clipboard.hasImage())
        return std::nullopt;
    // An owner may ignore the clearing (a request with an older timestamp than its own): the
    // picture then stays until the clipboard changes again, and it is filed already.
    if (state.captureFiledChange && *state.captureFiledChange == services.clipboard.changeCount())
        return std::nullopt;
    const QString folder = CurrentImageSetFolder(state);
    // A picture that failed to file into this Image Set was reported once; it stays on the
    // clipboard and is tried again when the clipboard or the Image Set changes.
    if (state.captureFailedChange && *state.captureFailedChange == services.clipboard.changeCount() &&
        state.captureFailedFolder == folder)
        return std::nullopt;
    if (!imageSetShown) {
        // Cleared before the box opens, so a picture arriving while it is open is kept.
        services.clipboard.clear();
        return Outcome::refused(QStringLiteral("Please select an image set first."));
    }
    PlayCaptureSound(state, services);
    const quint64 change = services.clipboard.changeCount();
    const Outcome saved = SaveScreenshot(state, services);
    // The decoded picture and its copies are large; give their memory back to the system.
    TrimHeap();
    if (!saved.done()) {
        state.captureFailedChange = change;
        state.captureFailedFolder = folder;
        return saved;
    }
    state.captureFailedChange.reset();
    services.clipboard.clear();
    state.captureFiledChange = services.clipboard.changeCount();
    return saved;
}
