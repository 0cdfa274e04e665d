#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

/// The width of all screens together, in twips.
int ScreensWidthTwips();

/// Where a window goes, given as its position (that of its frame) and the size of its inside in
/// \a window, so that it can be seen whole: on the screen it shows on most, moved as little as
/// keeps it and its frame (as RoomOnScreen reckons it) within that screen's free area, or to
/// that area's top left corner when it is larger; a window off every screen goes to the top
/// left corner of the primary screen.
QPoint OnScreens(const QRect& window);

/// The screen a window opens on: that of \a near (its parent, say), else the primary screen.
QScreen* ScreenFor(const QWidget* near);

/// The largest size a window's inside may take on \a screen's free area, leaving room for what
/// the window manager puts around it (a title bar and borders).
QSize RoomOnScreen(const QScreen* screen);

/// Moves \a window to the middle of \a screen's free area, its frame (as RoomOnScreen reckons
/// it) within that area.
void CentreOnScreen(QWidget& window, const QScreen* screen);
