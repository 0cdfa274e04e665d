#pragma once

#include <QPoint>
#include <QRect>

/// The width of all screens together, in twips.
int ScreensWidthTwips();

/// Where a window whose frame would stand at \a frame goes so that it can be seen: where it is
/// when it shows on some screen, even partly; else the top left corner of the primary screen.
QPoint OnScreens(const QRect& frame);
