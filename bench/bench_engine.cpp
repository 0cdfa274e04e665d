// The capture engine in the real program with the real platform services under a private X
// server, pictures copied by another program (xclip): how late a 5 ms timer on the window's
// thread runs while ten 3840x2160 pictures are filed, against the same timer with nothing to
// file. The file list at scale is bench_scale's.
#include "PrivateDisplay.h"
#include "ScreenshotLike.h"
#include "app/DesktopServices.h"
#include "app/VistrelleApp.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <signal.h>
#include <vector>

namespace {

void copyPicture(const QString& png)
{
    QProcess::startDetached(QStringLiteral("xclip"),
                            {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                             QStringLiteral("image/png"), QStringLiteral("-i"), png});
}

// The largest and the 99th-percentile lateness, in ms, of a 5 ms timer over \a milliseconds
// while \a during runs once at the start.
std::pair<double, double> lateness(int milliseconds, const std::function<void()>& during)
{
    std::vector<double> late;
    QElapsedTimer clock;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    qint64 last = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        late.push_back(std::max(0.0, static_cast<double>(now - last) / 1e6 - 5.0));
        last = now;
    });
    clock.start();
    timer.start(5);
    during();
    runEvents(milliseconds);
    std::sort(late.begin(), late.end());
    return {late.back(), late[late.size() * 99 / 100]};
}

int measure(int argc, char** argv)
{
    QTemporaryDir dir;
    usePrivateFolders(dir);
    QApplication application(argc, argv);

    QDir().mkpath(dir.filePath(QStringLiteral("Vistrelles/Default Category/Default Image Set")));
    QStringList uhd;
    for (int seed = 0; seed < 10; ++seed) {
        uhd.append(dir.filePath(QStringLiteral("uhd%1.png").arg(seed)));
        ScreenshotLike(3840, 2160, seed).save(uhd.last());
    }
    DesktopServices desktop(QStringLiteral(VISTRELLE_READER_PROGRAM));
    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir.path(), {});
    if (!app.start())
        return 1;
    runEvents(1500);
    const auto idle = lateness(3000, [] {});
    const auto busy = lateness(3000, [&] {
        for (int n = 0; n < 10; ++n) {
            copyPicture(uhd.at(n));
            runEvents(250);
        }
    });
    std::printf("window thread: a 5 ms timer ran late by at most %.1f ms (99th percentile %.1f ms) while ten "
                "3840x2160 pictures were filed; %.1f ms (%.1f ms) with nothing to file\n",
                busy.first, busy.second, idle.first, idle.second);

    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return MeasureOnPrivateDisplay(argc, argv, measure);
}
