#pragma once

#include <QIcon>
#include <QImage>

/// The program's icon drawn at \a size pixels square: a stack of two pictures on a rounded
/// tile. Drawn here rather than loaded, so the program carries no image file of its own and
/// the installed icon files are made from the same drawing.
QImage AppIconImage(int size);

/// The icon in the sizes window frames and task bars ask for. Needs the application object.
QIcon AppIcon();
