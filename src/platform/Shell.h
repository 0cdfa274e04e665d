#pragma once

#include <QString>

/// The desktop shell: opens files and folders in the programs the user chose for them.
class Shell
{
public:
    virtual ~Shell() = default;
    /// Opens \a folder in the desktop's file manager without waiting; false when that failed.
    virtual bool explore(const QString& folder) = 0;
    /// Opens the file \a path in the program the desktop associates with its type, without
    /// waiting; false when the file is missing or nothing could open it. The caller decides
    /// whether that is worth a message.
    virtual bool open(const QString& path) = 0;
};
