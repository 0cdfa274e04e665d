#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

double twipsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

} // namespace

int PixelsToTwips(int pixels)
{
    return static_cast<int>(std::lround(pixels * twipsPerPixel()));
}

int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}
