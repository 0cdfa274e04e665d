#include "DesktopServices.h"
#include "FindCommand.h"
#include "VistrelleApp.h"
#include "desktop/qt/CommandServer.h"
#include "desktop/qt/TerminationSignals.h"
#include "platform/FreedMemory.h"
#include "ui/AppIcon.h"

#include <QApplication>
#include <QSessionManager>
#include <cstdio>

int main(int argc, char* argv[])
{
    // `vistrelle --capture-window` and `--time-lapse` hand the command to the running program
    // and end, so that any desktop's own shortcut settings can run them.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (arguments.value(0) == QLatin1String("--find")) {
        QCoreApplication finding(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Vistrelle"));
        return RunFindCommand(arguments.mid(1));
    }
    if (const std::optional<Shortcut> command = ShortcutCommand(arguments)) {
        QCoreApplication handOver(argc, argv);
        if (SendShortcutCommand(*command))
            return 0;
        std::fputs("Vistrelle is not running.\n", stderr);
        return 1;
    }

    // An X11 program on every desktop, under XWayland on a Wayland one: what the compositor keeps
    // from X11 programs comes through the Wayland adapters, chosen in DesktopServices.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
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
    desktop.startShortcuts(app.state().settings);
    return QApplication::exec();
}
