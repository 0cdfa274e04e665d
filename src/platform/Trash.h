#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>

/// Moves \a path into the user's trash the way the desktop's file managers do (the freedesktop
/// trash: the item under files/, a .trashinfo file naming where it stood under info/), so the
/// user can put it back from the file manager. A folder goes in one rename with all it holds; a
/// symbolic link goes as the link, its target untouched. The home trash takes what lies on the
/// home folder's file system, the file system's own trash folder the rest.
/// Refused with ENOENT when nothing is at \a path; failed when no trash can take the item (no
/// trash on its file system, none can be made), and nothing has moved then.
Outcome MoveToTrash(const QString& path);

/// The text of /proc/self/mountinfo, where MoveToTrash finds the mount an item lies on; a test
/// sets it to a table of its own.
extern QByteArray (*ReadMountTable)();
