#pragma once

class QWidget;

/// The least width at which \a window shows its whole caption in its font as a title bar draws
/// it (bold), with room for the window manager's icon and buttons beside it.
int CaptionWidth(const QWidget& window);
