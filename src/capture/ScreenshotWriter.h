#pragma once

#include "platform/Outcome.h"

#include <QDateTime>
#include <QString>

struct AppState;
struct Services;

/// "Image_" + "YYMMDD_HHNNSS" of \a when, then "_" + \a counter when the counter is 2 or more,
/// then \a suffix and \a extension.
QString ScreenshotName(const QDateTime& when, int counter, const QString& suffix, const QString& extension);

/// Writes the picture on the clipboard as a new file in the current Image Set, in the format of
/// captureExtension, under the first screenshot name that is neither listed (ignoring case)
/// nor on disk. Creates a missing Image Set folder. Never replaces a file. A failure carries
/// the whole message the user is told; nothing is left in the folder.
Outcome SaveScreenshot(const AppState& state, Services& services);
