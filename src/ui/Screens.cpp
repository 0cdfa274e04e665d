#include "Screens.h"

#include "Twips.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

int ScreensWidthTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? PixelsToTwips(screen->availableVirtualGeometry().width()) : 0;
}

QScreen* ScreenFor(const QWidget* near)
{
    return near ? near->screen() : QGuiApplication::primaryScreen();
}

namespace {

constexpr int border = 4;

// The frame is the window manager's and unknown before the window is shown: a title bar of the
// style's height and a few pixels of border.
int titleBar()
{
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

} // namespace

QSize RoomOnScreen(const QScreen* screen)
{
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    return screen->availableGeometry().size() - QSize(2 * border, titleBar() + 2 * border);
}

QPoint OnScreens(const QRect& window)
{
    const QScreen* shownOn = nullptr;
    qint64 mostShown = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect shown = screen->geometry().intersected(window);
        if (const qint64 area = qint64(shown.width()) * shown.height(); area > mostShown) {
            mostShown = area;
            shownOn = screen;
        }
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!shownOn)
        return primary ? primary->availableGeometry().topLeft() : window.topLeft();
    // A window's position is that of its frame.
    const QRect free = shownOn->availableGeometry();
    const QSize frame = window.size() + QSize(2 * border, titleBar() + 2 * border);
    return {std::max(free.left(), std::min(window.left(), free.right() + 1 - frame.width())),
            std::max(free.top(), std::min(window.top(), free.bottom() + 1 - frame.height()))};
}

void CentreOnScreen(QWidget& window, const QScreen* screen)
{
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QSize frame = window.size() + QSize(2 * border, titleBar() + 2 * border);
    // A window's position is that of its frame.
    window.move(free.topLeft() + QPoint(std::max(0, (free.width() - frame.width()) / 2),
                                        std::max(0, (free.height() - frame.height()) / 2)));
}
