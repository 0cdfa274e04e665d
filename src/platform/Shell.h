#pragma once

#include <QString>
#include <functional>

/// The desktop shell: opens files and folders in the programs the user chose for them.
class Shell
{
public:
    /// Called on the window thread when the desktop could not open what it was given.
    using Failed = std::function<void()>;

    virtual ~Shell() = default;
    /// Opens \a folder in the desktop's file manager without waiting. \a failed runs when that
    /// could not be done: at once when no opener can be started, later when the opener ends
    /// with a failure (no file manager for folders, say).
    virtual void explore(const QString& folder, Failed failed) = 0;
    /// Opens the file \a path in the program the desktop associates with its type, without
    /// waiting; \a failed runs, as for explore(), when the file is missing or nothing could
    /// open it. The caller decides whether that is worth a message.
    virtual void open(const QString& path, Failed failed) = 0;
};
