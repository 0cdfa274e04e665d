#include "Screens.h"

#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

int ScreensWidthTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? PixelsToTwips(screen->availableVirtualGeometry().width()) : 0;
}

QPoint OnScreens(const QRect& frame)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        if (screen->geometry().intersects(frame))
            return frame.topLeft();
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry().topLeft() : frame.topLeft();
}
