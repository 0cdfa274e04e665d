#pragma once

#include <QString>

/// The desktop shell: opens files and folders in the programs the user chose for them.
class Shell
{
public:
    virtual ~Shell() = default;
    /// Opens \a folder in the desktop's file manager without waiting; false when that failed.
    virtual bool explore(const QString& folder) = 0;
    /// Opens \a file in the program the desktop associates with its type, without waiting;
    /// false when no program took it.
    virtual bool open(const QString& file) = 0;
};
