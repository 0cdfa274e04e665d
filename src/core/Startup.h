#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <optional>

/// The folders the program keeps its data in, each ending in "/".
struct DataFolders
{
    QString settings;      // holds Vistrelle.ini
    QString libraryParent; // holds the default library, Vistrelles/
};

/// The user's own folders that an installed program keeps its data in.
struct UserFolders
{
    QString pictures;   // the pictures folder of the XDG user folders
    QString config;     // the program's configuration folder (~/.config/Vistrelle)
    QString formerData; // the program's data folder, where earlier system-wide installs kept both
};

/// The marker an install puts beside the program: its data then stays out of the program's folder.
inline constexpr char InstalledMarker[] = "Vistrelle.installed";

/// Where the settings file and the default library are. A program run from its build folder
/// keeps both beside itself (\a programDir, ending in "/") while it may write there. An installed
/// one (InstalledMarker beside it) keeps using a library already beside it or in \a user's former
/// data folder, with its settings; otherwise the library goes into the pictures folder and the
/// settings into the configuration folder, both made when missing, so that uninstalling the
/// program never takes a picture with it.
DataFolders DataFoldersFor(const QString& programDir, const UserFolders& user);

/// The library root for the command-line text \a argumentText: programDir + "Vistrelles/"
/// when it is empty, else that folder (made absolute) + "Vistrelles/". Empty for a text of
/// exactly one character, which is refused.
std::optional<QString> LibraryRootFor(const QString& programDir, const QString& argumentText);

/// Creates \a libraryRoot with "Default Category/Default Image Set" in it when no folder
/// \a libraryRoot exists; an existing one is left as it is, even when empty. A failure carries
/// the system's description of the error.
Outcome CreateLibraryIfMissing(const QString& libraryRoot);
