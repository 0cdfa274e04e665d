// The capture engine in the real program with the real platform services, under a private X
// server, pictures copied by another program (xclip):
// - how long a capture takes until its line is in the list, in a 10-file Image Set and in a
//   50,000-file one (FILEMAX=60000); how long switching to each set and starting with it take;
// - how late a 5 ms timer on the window's thread runs while ten 3840x2160 pictures are filed,
//   against the same timer with nothing to file.
#include "PrivateDisplay.h"
#include "ScreenshotLike.h"
#include "Timing.h"
#include "app/DesktopServices.h"
#include "app/VistrelleApp.h"
#include "ui/main/frmVistrelle.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <signal.h>

namespace {

constexpr int bigSet = 50000;

void copyPicture(const QString& png)
{
    QProcess::startDetached(QStringLiteral("xclip"),
                            {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                             QStringLiteral("image/png"), QStringLiteral("-i"), png});
}

// Milliseconds from copying \a png until the list shows one line more.
double captureUntilListed(QListWidget& list, const QString& png)
{
    const int before = list.count();
    QElapsedTimer timer;
    timer.start();
    copyPicture(png);
    while (list.count() == before && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    runEvents(300);
    return ms;
}

void choose(QComboBox& box, const QString& text)
{
    const int row = box.findText(text);
    box.setCurrentIndex(row);
    emit box.activated(row);
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
    const QString runtime = dir.filePath(QStringLiteral("runtime"));
    QDir().mkdir(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit().constData(), 1);
    setenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toLocal8Bit().constData(), 1);
    QApplication application(argc, argv);

    const QString library = dir.filePath(QStringLiteral("Vistrelles/Cat/"));
    for (const auto& [set, files] :
         {std::pair{QStringLiteral("Big"), bigSet}, std::pair{QStringLiteral("Small"), 10}}) {
        QDir().mkpath(library + set);
        for (int n = 0; n < files; ++n) {
            QFile file(library + set +
                       QStringLiteral("/Image_261206_%1.jpg").arg(n, 6, 10, QLatin1Char('0')));
            if (!file.open(QIODevice::WriteOnly))
                return 1;
        }
    }
    // Different pictures: the same one copied again within half a second counts as put back.
    QStringList hd, uhd;
    for (int seed = 0; seed < 14; ++seed) {
        hd.append(dir.filePath(QStringLiteral("hd%1.png").arg(seed)));
        ScreenshotLike(1920, 1080, seed).save(hd.last());
    }
    for (int seed = 0; seed < 10; ++seed) {
        uhd.append(dir.filePath(QStringLiteral("uhd%1.png").arg(seed)));
        ScreenshotLike(3840, 2160, seed).save(uhd.last());
    }
    const auto settings = [&](const QString& set) {
        QFile ini(dir.filePath(QStringLiteral("Vistrelle.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("FILEMAX=60000\r\nFIRSTCAT=Cat\r\nFIRSTSET=" + set.toUtf8() + "\r\n");
    };

    std::printf("start-up until the first window stands, 5 runs (ratio to the 10-file set)\n");
    std::map<QString, double> startMedian;
    for (const QString set : {QStringLiteral("Small"), QStringLiteral("Big")}) {
        settings(set);
        const auto times = TimeRuns(5, [&] {
            DesktopServices desktop;
            VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir.path(), {});
            if (!app.start())
                std::abort();
            QCoreApplication::processEvents();
            if (app.mainWindow()->findChild<QListWidget*>(QStringLiteral("lstComponents"))->count() !=
                (set == QLatin1String("Big") ? bigSet : 10))
                std::abort();
        });
        startMedian[set] = Median(times);
        Report(qPrintable(set == QLatin1String("Big") ? QStringLiteral("50,000 files")
                                                      : QStringLiteral("10 files")),
               times, startMedian[QStringLiteral("Small")]);
    }

    settings(QStringLiteral("Small"));
    DesktopServices desktop;
    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir.path(), {});
    if (!app.start())
        return 1;
    runEvents(1000);
    auto& sets = *app.mainWindow()->findChild<QComboBox*>(QStringLiteral("cboImageSetName"));
    auto& list = *app.mainWindow()->findChild<QListWidget*>(QStringLiteral("lstComponents"));

    std::printf("switching to the set, 5 runs\n");
    std::map<QString, std::vector<double>> switching;
    for (int run = 0; run < 5; ++run) {
        for (const QString set : {QStringLiteral("Small"), QStringLiteral("Big")}) {
            choose(sets, set == QLatin1String("Small") ? QStringLiteral("Big") : QStringLiteral("Small"));
            switching[set].push_back(TimeRuns(1, [&] { choose(sets, set); }).front());
        }
    }
    for (auto& [set, times] : switching)
        std::sort(times.begin(), times.end());
    Report("10 files", switching[QStringLiteral("Small")], Median(switching[QStringLiteral("Small")]));
    Report("50,000 files", switching[QStringLiteral("Big")], Median(switching[QStringLiteral("Small")]));

    std::printf("1920x1080 capture until its line is listed, 7 runs\n");
    std::map<QString, std::vector<double>> listed;
    int next = 0;
    for (const QString set : {QStringLiteral("Small"), QStringLiteral("Big")}) {
        choose(sets, set);
        runEvents(500);
        for (int run = 0; run < 7; ++run)
            listed[set].push_back(captureUntilListed(list, hd.at(next++)));
        std::sort(listed[set].begin(), listed[set].end());
    }
    Report("10 files", listed[QStringLiteral("Small")], Median(listed[QStringLiteral("Small")]));
    Report("50,000 files", listed[QStringLiteral("Big")], Median(listed[QStringLiteral("Small")]));

    choose(sets, QStringLiteral("Small"));
    runEvents(500);
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
    pid_t xserver = 0;
    pid_t windowManager = 0;
    if (!startPrivateDisplay(xserver, windowManager))
        return 1;
    const int result = measure(argc, argv);
    kill(windowManager, SIGTERM);
    kill(xserver, SIGTERM);
    return result;
}
