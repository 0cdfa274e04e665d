#include "DesktopServices.h"
#include "VistrelleApp.h"
#include "ui/AppIcon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
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
