#include "DesktopServices.h"
#include "VistrelleApp.h"
#include "ui/AppIcon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // An X11 program on every desktop, under XWayland on a Wayland one: what the compositor keeps
    // from X11 programs comes through the Wayland adapters, chosen in DesktopServices.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrelle"));
    QApplication::setApplicationVersion(QStringLiteral(VISTRELLE_VERSION));
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vistrelle"));

    DesktopServices desktop;

    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(),
                     QApplication::applicationDirPath(), QApplication::arguments().mid(1));
    if (!app.start())
        return 1;
    return QApplication::exec();
}
