#pragma once

#include "platform/Outcome.h"

#include <QByteArray>
#include <QString>

/// The entry in the desktop's autostart folder (autostart/ in the user's configuration folder,
/// $XDG_CONFIG_HOME or ~/.config) that starts Vistrelle when the user logs in. Whether it is
/// there is the "Start with the desktop" choice; nothing else keeps it.
QString AutostartEntryPath();

/// The entry's text: the program at \a program, in low-resource mode, on the library in
/// \a libraryParent (the folder given on the command line; empty for the default library).
/// Empty when a path holds a line break, which no entry can carry.
QByteArray AutostartEntry(const QString& program, const QString& libraryParent);

/// Writes the entry (\a on) with AutostartEntry's text, or removes it; an entry already as
/// asked is done.
Outcome SetStartWithDesktop(bool on, const QString& program, const QString& libraryParent);
