#pragma once

#include <QIcon>
#include <QImage>

/// What the tray icon adds to the program's icon: how capturing stands, or that a picture was
/// just filed.
enum class IconBadge { None, TimeLapse, Paused, Captured };

/// The program's icon drawn at \a size pixels square: a stack of two pictures on a rounded
/// tile; with a badge, a red dot in its corner while time-lapse runs, a pause sign while
/// capturing is paused, or a green tick for a moment after a capture. Drawn here rather than loaded, so the program carries no image file of
/// its own and the installed icon files are made from the same drawing (assets/vistrelle.svg
/// draws it too, for icon themes that scale).
QImage AppIconImage(int size, IconBadge badge = IconBadge::None);

/// The icon in the sizes window frames and task bars ask for. Needs the application object.
QIcon AppIcon(IconBadge badge = IconBadge::None);
