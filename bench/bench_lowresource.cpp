// The footprint of low-resource mode: the real application object with the real platform
// services under a private X server, measured in normal mode with a 3840x2160 picture shown,
// then in low-resource mode after 60 s and after ten 3840x2160 clipboard captures, against a
// minimal Qt program with a tray icon and a 100 ms timer running beside it.
#include "PrivateDisplay.h"
#include "ScreenshotLike.h"
#include "app/DesktopServices.h"
#include "app/VistrelleApp.h"
#include "platform/FreedMemory.h"
#include "ui/AppIcon.h"
#include "ui/main/frmVistrelle.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int idleSeconds = 60;
constexpr int captures = 10;

// Resident size of a process in MB, from /proc/<pid>/status: all of it (VmRSS) and the part
// that is its own (RssAnon: heap, stacks, pixmaps), without the pages of shared libraries'
// code, which every Qt program on the desktop shares and the kernel drops under pressure.
struct Resident
{
    double total = 0;
    double own = 0;
};

Resident residentMb(const QString& pid)
{
    Resident size;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return size;
    for (const QByteArray& line : status.readAll().split('\n')) {
        const double mb = line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toDouble() / 1024;
        if (line.startsWith("VmRSS:"))
            size.total = mb;
        else if (line.startsWith("RssAnon:"))
            size.own = mb;
    }
    return size;
}

// User and system CPU time of a process, in seconds.
double cpuSeconds(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / sysconf(_SC_CLK_TCK);
}

} // namespace

int main(int argc, char** argv)
{
    const PrivateDisplay display;
    if (!display.started())
        return 1;
    QTemporaryDir dir;
    usePrivateFolders(dir);

    int status = 1;
    {
        QApplication application(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Vistrelle"));
        QApplication::setWindowIcon(AppIcon());

        const QString set = dir.filePath(QStringLiteral("Vistrelles/Default Category/Default Image Set/"));
        QDir().mkpath(set);
        ScreenshotLike(3840, 2160, 100).save(set + QStringLiteral("Image_261206_120000.jpg"), "JPEG", 90);
        QStringList shots;
        for (int n = 0; n < captures; ++n) {
            shots.append(dir.filePath(QStringLiteral("shot%1.png").arg(n)));
            ScreenshotLike(3840, 2160, n).save(shots.last(), "PNG", 100);
        }
        ReturnFreedMemory();

        QProcess floor;
        floor.start(QApplication::applicationDirPath() + QStringLiteral("/lowresource_floor"));
        if (!floor.waitForStarted()) {
            std::fprintf(stderr, "lowresource_floor could not be started\n");
            return 1;
        }
        const QString floorPid = QString::number(floor.processId());

        DesktopServices desktop(QStringLiteral(VISTRELLE_READER_PROGRAM));
        VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir.path(), {});
        if (!app.start())
            return 1;
        runEvents(3000);
        const Resident normal = residentMb(QStringLiteral("self"));

        app.mainWindow()->findChild<QPushButton*>(QStringLiteral("cmdLowResourceMode"))->click();
        runEvents(1000);
        const double ownCpuBefore = cpuSeconds(QStringLiteral("self"));
        const double floorCpuBefore = cpuSeconds(floorPid);
        QElapsedTimer idle;
        idle.start();
        runEvents(idleSeconds * 1000);
        const double idleWall = idle.elapsed() / 1000.0;
        const double ownCpu = cpuSeconds(QStringLiteral("self")) - ownCpuBefore;
        const double floorCpu = cpuSeconds(floorPid) - floorCpuBefore;
        const Resident lowIdle = residentMb(QStringLiteral("self"));
        const Resident floorIdle = residentMb(floorPid);

        const QString setDir = set;
        int filed = 0;
        for (const QString& shot : shots) {
            QProcess::execute(QStringLiteral("xclip"),
                              {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                               QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i"),
                               shot});
            for (int wait = 0; wait < 200 && QDir(setDir).entryList(QDir::Files).size() < filed + 2; ++wait)
                runEvents(50);
            filed = QDir(setDir).entryList(QDir::Files).size() - 1;
        }
        runEvents(2000);
        const Resident lowCaptured = residentMb(QStringLiteral("self"));
        const Resident floorEnd = residentMb(floorPid);

        const auto row = [](const char* what, Resident size, const Resident* floorSize) {
            std::printf("  %-44s %6.1f %6.1f", what, size.total, size.own);
            if (floorSize)
                std::printf("   (floor %+.1f, %+.1f)", size.total - floorSize->total,
                            size.own - floorSize->own);
            std::printf("\n");
        };
        std::printf("resident size, MB (Xvfb with openbox, xcb platform)       all    own\n");
        row("normal mode, 3840x2160 picture shown", normal, nullptr);
        row(qPrintable(QStringLiteral("low-resource mode after %1 s").arg(idleSeconds)), lowIdle, &floorIdle);
        row(qPrintable(
                QStringLiteral("after %1 3840x2160 captures in it (%2 filed)").arg(captures).arg(filed)),
            lowCaptured, &floorEnd);
        row("floor: Qt program, tray icon, 100 ms timer", floorEnd, nullptr);
        std::printf("idle CPU over %.0f s, %% of one core: low-resource mode %.3f, floor %.3f\n", idleWall,
                    100 * ownCpu / idleWall, 100 * floorCpu / idleWall);
        status = filed == captures ? 0 : 1;
        floor.kill();
        floor.waitForFinished();
    }
    return status;
}
