#pragma once

#include <QString>

/// Where a picture came from: the window that was active when it was taken.
struct PictureSource
{
    QString title;   ///< the window's title
    QString program; ///< the program's name as the desktop knows it: its window class or app id

    bool isEmpty() const { return title.isEmpty() && program.isEmpty(); }
};

/// Tells which window the user works in.
class ActiveWindowSource
{
public:
    virtual ~ActiveWindowSource() = default;
    /// The title and program of the active window; empty when no window is active or the
    /// desktop does not say.
    virtual PictureSource activeWindow() = 0;
};
