#include "DesktopServices.h"
#include "VistrelleApp.h"
#include "platform/FreedMemory.h"
#include "platform/TerminationSignals.h"
#include "ui/AppIcon.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char* argv[])
{
    ReturnLargeBuffersAtOnce();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrelle"));
    QApplication::setApplicationVersion(QStringLiteral(VISTRELLE_VERSION));
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vistrelle"));

    DesktopServices desktop;

    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(),
                     QApplication::applicationDirPath(), QApplication::arguments().mid(1));
    // A logout, `kill` or a closed terminal ends the program as closing its window would.
    TerminationSignals ending;
    QObject::connect(&ending, &TerminationSignals::received, &ending, [&app] { app.EndSession(); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application,
                     [&app] { app.SaveForSession(); });
    if (!app.start())
        return 1;
    return QApplication::exec();
}
