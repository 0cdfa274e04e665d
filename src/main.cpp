#include "core/VistrelleApp.h"
#include "library/ModalLibraryDialogs.h"
#include "platform/DesktopShell.h"
#include "platform/LockFileInstance.h"
#include "platform/QtClipboard.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtSound.h"
#include "platform/QtSystemTray.h"
#include "platform/Services.h"
#include "platform/SystemClock.h"
#include "platform/X11KeyState.h"
#include "platform/X11ScreenGrab.h"
#include "ui/AppIcon.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrelle"));
    QApplication::setApplicationVersion(QStringLiteral(VISTRELLE_VERSION));
    QApplication::setWindowIcon(AppIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("vistrelle"));

    QtMessageBoxes boxes;
    QtClipboard clipboard;
    DesktopShell shell;
    LockFileInstance instance;
    ModalLibraryDialogs dialogs(boxes);
    SystemClock clock;
    X11KeyState keys;
    X11ScreenGrab grab;
    QtSound sound;
    QtSystemTray tray;
    Services services{boxes, clipboard, shell, instance, dialogs, clock, keys, grab, sound, tray};

    VistrelleApp app(services, QApplication::applicationDirPath(), QApplication::arguments().mid(1));
    if (!app.start())
        return 1;
    return QApplication::exec();
}
