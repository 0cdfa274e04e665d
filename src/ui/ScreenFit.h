#pragma once

class QBoxLayout;
class QScreen;
class QWidget;

/// Gives \a window, laid out by \a layout, a fixed size that fits the room on \a screen
/// (RoomOnScreen): its size hint where that fits; else the first \a scrolled items of \a layout
/// move into a scroll area in their place, which takes what the rest leaves, so the window
/// scrolls there instead of running off the screen and the items after them (the buttons)
/// stay in view.
void FitToScreen(QWidget& window, QBoxLayout& layout, int scrolled, const QScreen* screen);
