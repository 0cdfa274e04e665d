#pragma once

#include "platform/Outcome.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>

struct AppState;
struct Settings;

/// Where the settings file put the main window, in twips; a key missing from the file leaves
/// the window where it stands.
struct MainWindowPosition
{
    std::optional<int> top;
    std::optional<int> left;
};

/// The image viewer's place and width in twips, as written to the file.
struct ViewerPlacement
{
    int top = 0;
    int left = 0;
    int width = 0;
};

/// The program names (window classes) in \a text, separated by commas: trimmed, empty ones
/// and repeats (in any case) left out.
QStringList ProgramNames(const QString& text);

/// The settings file: dataDir + "Vistrelle.ini", beside the program unless its folder is read-only.
QString SettingsFilePath(const AppState& state);

/// Applies the lines of a settings file to \a settings and returns the main window's position.
/// Unknown keys, lines without "=", values out of range and numeric values that are not
/// 32-bit numbers change nothing.
MainWindowPosition ApplySettings(const QByteArray& text, Settings& settings);

/// The settings file's text for \a settings: CRLF lines, keys in their fixed order, each written
/// only when it differs from its default. \a mainTopLeft is empty while the main window is
/// minimised.
QByteArray SettingsText(const Settings& settings, const std::optional<QPoint>& mainTopLeft,
                        const ViewerPlacement& viewer);

/// Reads the file at \a path into \a settings; a missing or unreadable file changes nothing.
MainWindowPosition ReadSettingsFile(const QString& path, Settings& settings);

/// Replaces the file at \a path with \a text only once the new text is completely on disk,
/// so a failure never leaves a truncated settings file. A settings file that is a link (into a
/// folder of synced settings, say) stays a link: the file it leads to is replaced. A failure
/// carries the system's description of the error.
Outcome WriteSettingsFile(const QString& path, const QByteArray& text);
