#pragma once

struct AppState;
struct Services;

/// Pauses or resumes capturing. While paused, the tick neither files clipboard pictures nor
/// polls the hotkeys, so pictures can be copied between programs. Resuming does not take up
/// what happened meanwhile: the picture then on the clipboard stays there unfiled, and hotkey
/// taps seen during the pause do not fire.
void SetCapturePaused(AppState& state, Services& services, bool paused);
