#pragma once

#include "Settings.h"

#include <QString>

/// The name suffix of a time-lapse picture.
inline const QString TimeLapseSuffix = QStringLiteral("_Time_Lapsed");

/// The record through which the windows and the library and capture routines share the
/// program's state. Folder paths end in "/" and keep the case they have on disk.
struct AppState
{
    Settings settings;

    // Paths
    QString programDir; // the executable's folder: help page and sounds
    QString dataDir;    // settings file and default library: programDir unless that is read-only
    QString libraryRoot;
    bool libraryGiven = false; // the folder holding the library came from the command line

    // Current choice
    QString currentCategory;
    QString currentImageSet;
    bool lowResourceMode = false;

    // Transient capture state
    bool capturePaused = false; // the user paused capturing; never saved, every start captures
    bool timeLapseActive = false;
    int timeLapseElapsedMs = 0;
    bool tickRunning = false;
};

/// The folder of Image Set \a imageSet in \a category of the library at \a libraryRoot, ending
/// in "/".
inline QString ImageSetFolder(const QString& libraryRoot, const QString& category, const QString& imageSet)
{
    return libraryRoot + category + QLatin1Char('/') + imageSet + QLatin1Char('/');
}

/// The folder of the current Image Set, where captures go.
inline QString CurrentImageSetFolder(const AppState& state)
{
    return ImageSetFolder(state.libraryRoot, state.currentCategory, state.currentImageSet);
}
