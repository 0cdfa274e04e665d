// Capture while the words of screenshots are read: the real program with the real services
// under a private X server, a library of 60 screenshots waiting to be read, 1920x1080 pictures
// copied by another program (xclip). Each capture is timed until its line is in the list, with
// reading under way and with reading paused, in turns (A B A B); the median with reading is to
// stay within 10 % of the median without.
#include "PrivateDisplay.h"
#include "ReadingLibrary.h"
#include "ScreenshotLike.h"
#include "Timing.h"
#include "app/DesktopServices.h"
#include "app/VistrelleApp.h"
#include "ui/main/frmVistrelle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <signal.h>

namespace {

constexpr int runs = 16;
constexpr double ratioLimit = 1.10;

// Milliseconds from copying \a png until the list shows one line more.
double captureUntilListed(const QAbstractItemModel& list, const QString& png)
{
    const int before = list.rowCount();
    QElapsedTimer timer;
    timer.start();
    QProcess::startDetached(QStringLiteral("xclip"),
                            {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                             QStringLiteral("image/png"), QStringLiteral("-i"), png});
    // Waits in an event loop as the program does, not spinning beside the capture.
    QEventLoop loop;
    QObject::connect(&list, &QAbstractItemModel::rowsInserted, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (list.rowCount() == before)
        loop.exec();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

int measure(int argc, char** argv)
{
    QTemporaryDir dir;
    usePrivateFolders(dir);
    QApplication application(argc, argv);

    if (!MakeReadingLibrary(dir.path()))
        return 1;
    QStringList pictures;
    for (int seed = 0; seed < 2 * runs; ++seed) {
        pictures.append(dir.filePath(QStringLiteral("hd%1.png").arg(seed)));
        ScreenshotLike(1920, 1080, seed).save(pictures.last());
    }

    DesktopServices desktop(QStringLiteral(VISTRELLE_READER_PROGRAM));
    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir.path(), {});
    if (!app.start())
        return 1;
    const QAbstractItemModel& list =
        *app.mainWindow()->findChild<QAbstractItemView*>(QStringLiteral("lstComponents"))->model();
    runEvents(3000);

    std::vector<double> reading;
    std::vector<double> paused;
    for (int run = 0; run < 2 * runs; ++run) {
        const bool readingOn = run % 2 == 0;
        app.reading().setPaused(!readingOn);
        // Past the pause a capture gives reading, so a picture is being read as the next comes.
        runEvents(3000);
        (readingOn ? reading : paused).push_back(captureUntilListed(list, pictures.at(run)));
    }
    const IndexProgress progress = app.reading().progress();
    std::sort(reading.begin(), reading.end());
    std::sort(paused.begin(), paused.end());
    std::printf(
        "1920x1080 capture until its line is listed, %d runs each (%d of %d pictures read meanwhile)\n", runs,
        progress.read, progress.total);
    Report("reading paused", paused, Median(paused));
    Report("reading under way", reading, Median(paused));
    const double ratio = Median(reading) / Median(paused);
    std::printf("capture while reading: ratio %.2f, limit %.2f: %s\n", ratio, ratioLimit,
                ratio <= ratioLimit ? "ok" : "TOO SLOW");
    return ratio <= ratioLimit ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    return MeasureOnPrivateDisplay(argc, argv, measure);
}
