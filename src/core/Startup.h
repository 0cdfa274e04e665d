#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <optional>

/// The folder for the settings file and the default library: \a programDir (ending in "/")
/// when a file can be created in it, as in a build folder or a per-user install; else
/// \a userDataFolder, created when missing, for a system-wide install. Ends in "/".
QString ProgramDataFolder(const QString& programDir, const QString& userDataFolder);

/// The library root for the command-line text \a argumentText: programDir + "Vistrelles/"
/// when it is empty, else that folder (made absolute) + "Vistrelles/". Empty for a text of
/// exactly one character, which is refused.
std::optional<QString> LibraryRootFor(const QString& programDir, const QString& argumentText);

/// Creates \a libraryRoot with "Default Category/Default Image Set" in it when no folder
/// \a libraryRoot exists; an existing one is left as it is, even when empty. A failure carries
/// the system's description of the error.
Outcome CreateLibraryIfMissing(const QString& libraryRoot);
