#include "CommandLine.h"
#include "DesktopServices.h"
#include "VistrelleApp.h"
#include "desktop/qt/TerminationSignals.h"
#include "platform/FileNames.h"
#include "platform/FreedMemory.h"
#include "ui/AppIcon.h"
#include "ui/Translations.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char* argv[])
{
    // A command (--help, --capture-window, ...) runs without a window, and so without a display.
    // Arguments are decoded as file names are, so a library folder whose name is not valid UTF-8
    // is the folder given, not one with replacement characters.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(PathFromNative(argv[i]));
    const CommandLine line = ParseCommandLine(arguments);
    if (line.command || !line.error.isEmpty()) {
        QCoreApplication commandOnly(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Vistrelle"));
        QCoreApplication::setApplicationVersion(QStringLiteral(VISTRELLE_VERSION));
        // Read again once the translation is there, so that what it says is in the desktop's
        // language.
        InstallTranslations(QLocale::system());
        return RunCommandLine(ParseCommandLine(arguments)).value_or(0);
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
    InstallTranslations(QLocale::system());

    DesktopServices desktop(QApplication::applicationDirPath() + QStringLiteral("/vistrelle-reader"));

    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(),
                     QApplication::applicationDirPath(), line.directory);
    // Until the program stands, a signal ends the process at once, also while a start-up
    // message waits: nothing is written before the settings were read.
    EndAtOnceOnTerminationSignals();
    if (!app.start(line.lowResource))
        return 1;
    // From now on a logout, `kill` or a closed terminal ends the program as closing its window would.
    TerminationSignals ending;
    QObject::connect(&ending, &TerminationSignals::received, &ending, [&app] { app.EndSession(); });
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &application,
                     [&app] { app.SaveForSession(); });
    desktop.startShortcuts(app.state().settings);
    app.settingsWritten = [&desktop](const Settings& settings) { desktop.proposeKeys(settings); };
    return QApplication::exec();
}
