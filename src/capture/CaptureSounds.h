#pragma once

#include <QString>

struct AppState;
struct Services;

/// The click of a capture filed with \a suffix; silent for time-lapse pictures when time-lapse
/// is set silent.
void PlayCaptureSound(const AppState& state, Services& services, const QString& suffix);

/// Plays \a name (beginning with "/") from the program's folder when that file exists.
void PlayProgramSound(const AppState& state, Services& services, const QString& name);
