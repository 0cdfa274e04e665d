// Takes the picture the program takes where a desktop gives no single window: the whole screen
// from the desktop's screenshot portal, saved to the file named by the only argument. Ends
// with status 1 when there is no picture.
#include "desktop/portal/PortalScreenGrab.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2)
        return 2;
    PortalScreenGrab grab;
    const QImage picture = grab.activeWindow();
    return !picture.isNull() && picture.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
