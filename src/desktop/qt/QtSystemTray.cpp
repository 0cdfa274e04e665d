#include "QtSystemTray.h"

#include <QSystemTrayIcon>

bool QtSystemTray::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}
