#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <QStringList>
#include <optional>

struct AppState;

/// Makes the Category \a name in the library; refused when it cannot be made (most often: it
/// exists already).
Outcome CreateCategory(const QString& libraryRoot, const QString& name);

/// Makes the Image Set \a name in the Category folder \a categoryFolder (ending in "/").
Outcome CreateImageSet(const QString& categoryFolder, const QString& name);

/// Deletes a Category or Image Set folder (ending in "/") with everything in it; a folder that
/// is a link loses only the link. Refused with the critical message when the folder is not one
/// the library may delete (the program must then stop); what could not be removed is listed in
/// the problems.
Outcome DeleteLibraryFolder(AppState& state, const QString& folder);

/// Deletes each of \a paths; the problems hold the message for each one that could not go.
Outcome DeleteFiles(const QStringList& paths);

/// Renames the file at \a path to \a newName in its own folder, never replacing a file.
Outcome RenameFile(const QString& path, const QString& newName);

/// The row of \a categories (the names of the Category list, in its order) whose folder holds
/// an entry named \a imageSet, ignoring case: the row of \a preferredCategory when it holds one,
/// else the last such row. Empty when none does.
std::optional<int> FindImageSet(const QString& libraryRoot, const QStringList& categories,
                                const QString& imageSet, const QString& preferredCategory);
