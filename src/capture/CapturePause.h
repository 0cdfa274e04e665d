#pragma once

class CaptureEngine;
struct AppState;
struct Services;

/// Pauses or resumes capturing. While paused, neither clipboard pictures are filed nor the
/// hotkeys polled, so pictures can be copied between programs. Resuming does not take up what
/// happened meanwhile: the picture then on the clipboard stays there unfiled, and hotkey taps
/// seen during the pause do not fire.
void SetCapturePaused(AppState& state, Services& services, CaptureEngine& engine, bool paused);
