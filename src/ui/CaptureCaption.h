#pragma once

#include <QString>

struct AppState;

/// The caption of the window that captures: "Vistrelle (JPG)", "(BMP)" or "(PNG)" after the
/// capture format, then \a mode (such as " (LR mode)"), then " (time-lapse)" while time-lapse
/// runs and " (paused)" while capturing is paused.
QString CaptureCaption(const AppState& state, const QString& mode = QString());
