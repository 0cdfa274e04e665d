// The Image Set at scale: the real program with the real platform services under a private X
// server, on one Image Set of 10 files and one of 200,000 (FILEMAX=250000), beside a listing floor
// measured in the same run: readdir, the names sorted into a list view with uniform item sizes,
// shown and painted.
// - start-up with each set shown, switching to each, the set's thumbnail viewer opening, and a
//   1920x1080 capture until its line is listed;
// - memory a file, and what comes back when the 10-file set is shown again, measured in a process
//   of its own (this program run with --memory), so that the timings' allocations do not blur it.
#include "PrivateDisplay.h"
#include "ScaleLibrary.h"
#include "ScreenshotLike.h"
#include "Timing.h"
#include "app/DesktopServices.h"
#include "app/VistrelleApp.h"
#include "platform/FreedMemory.h"
#include "ui/main/frmVistrelle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QStringListModel>
#include <QTemporaryDir>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <optional>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int runs = 5;
// Captures vary most, with the words of the pictures before read meanwhile: more of them.
constexpr int captureRuns = 15;

// The first page of thumbnails are real pictures.
bool makeLibrary(const QString& dir)
{
    const QString picture = dir + QStringLiteral("/picture.jpg");
    return ScreenshotLike(320, 180).save(picture, "JPEG", 90) && MakeScaleLibrary(dir, picture, 15);
}

void writeSettings(const QString& dir, const QString& set)
{
    QFile ini(dir + QStringLiteral("/Vistrelle.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write("FILEMAX=250000\r\nFIRSTCAT=Cat\r\nFIRSTSET=" + set.toUtf8() + "\r\n");
}

// Lets the events run and paints the view now, so what it shows is drawn.
void settle(QAbstractItemView& view)
{
    QCoreApplication::processEvents();
    view.viewport()->repaint();
}

QAbstractItemView& fileList(VistrelleApp& app)
{
    return *app.mainWindow()->findChild<QAbstractItemView*>(QStringLiteral("lstComponents"));
}

void choose(QComboBox& box, const QString& text)
{
    const int row = box.findText(text);
    box.setCurrentIndex(row);
    emit box.activated(row);
}

double msSince(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The floor: the set's names read, sorted and put into a list view that is shown and painted.
double listingFloor(const QString& folder, QListView& view)
{
    QElapsedTimer timer;
    timer.start();
    QStringList names;
    DIR* listing = ::opendir(QFile::encodeName(folder).constData());
    while (const dirent* entry = listing ? ::readdir(listing) : nullptr) {
        if (entry->d_name[0] != '.')
            names.append(QFile::decodeName(entry->d_name));
    }
    if (listing)
        ::closedir(listing);
    std::sort(names.begin(), names.end());
    auto* model = new QStringListModel(names, &view);
    QAbstractItemModel* previous = view.model();
    view.setModel(model);
    settle(view);
    const double ms = msSince(timer);
    delete previous;
    return ms;
}

// Milliseconds from the click on the set's View button until the thumbnail viewer is painted.
double openThumbnails(VistrelleApp& app)
{
    QElapsedTimer timer;
    double ms = -1;
    QTimer::singleShot(0, [&] {
        if (QWidget* photos = QApplication::activeModalWidget()) {
            photos->repaint();
            ms = msSince(timer);
            photos->close();
        }
    });
    timer.start();
    app.mainWindow()->findChild<QPushButton*>(QStringLiteral("cmdPhotosBySet"))->click();
    return ms;
}

// Milliseconds from copying \a png until the list shows one line more.
double captureUntilListed(QAbstractItemView& list, const QString& png)
{
    const int before = list.model()->rowCount();
    QElapsedTimer timer;
    timer.start();
    QProcess::startDetached(QStringLiteral("xclip"),
                            {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                             QStringLiteral("image/png"), QStringLiteral("-i"), png});
    while (list.model()->rowCount() == before && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    list.viewport()->repaint();
    const double ms = msSince(timer);
    runEvents(300);
    return ms;
}

void report(const char* what, std::vector<double> few10, std::vector<double> many200k)
{
    std::sort(few10.begin(), few10.end());
    std::sort(many200k.begin(), many200k.end());
    std::printf("%s\n", what);
    Report("10 files", few10, Median(few10));
    Report("200,000 files", many200k, Median(few10));
}

// Resident memory of this process that is its own (heap, stacks, pixmaps), in KB.
double ownKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("RssAnon:"))
            return line.mid(8).trimmed().split(' ').first().toDouble();
    return 0;
}

// In a process of its own: memory with the 10-file set shown, with the 200,000-file set, with the
// 10-file set again, and after five more switches to each.
int measureMemory(const QString& dir)
{
    writeSettings(dir, Few);
    DesktopServices desktop(QStringLiteral(VISTRELLE_READER_PROGRAM));
    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir, {});
    if (!app.start())
        return 1;
    auto& sets = *app.mainWindow()->findChild<QComboBox*>(QStringLiteral("cboImageSetName"));
    runEvents(1000);
    const double start = ownKb();
    choose(sets, Many);
    runEvents(1000);
    const double shown = ownKb();
    choose(sets, Few);
    runEvents(1000);
    const double back = ownKb();
    for (int n = 0; n < 5; ++n) {
        choose(sets, Many);
        runEvents(200);
        choose(sets, Few);
        runEvents(200);
    }
    runEvents(1000);
    const double switched = ownKb();
    std::printf("memory of its own (RssAnon), 10-file set shown: %.1f MB\n", start / 1024);
    std::printf("  200,000-file set shown: %+.1f MB, %.2f KB a file\n", (shown - start) / 1024,
                (shown - start) / ManyFiles);
    std::printf("  10-file set shown again: %+.1f MB (%.0f %% given back)\n", (back - start) / 1024,
                100 * (shown - back) / std::max(1.0, shown - start));
    std::printf("  after six switches to each: %+.1f MB, %.2f KB a file of the large set\n",
                (switched - start) / 1024, (switched - start) / ManyFiles);
    return 0;
}

using Times = std::map<QString, std::vector<double>>;
struct Timings
{
    Times switching, thumbnails, listed;
};

// Switching, the thumbnail viewer and captures in one run of the program, started on the 10-file
// set; the program has ended when this returns.
bool measureInOneRun(const QString& dir, Timings& timings)
{
    writeSettings(dir, Few);
    DesktopServices desktop(QStringLiteral(VISTRELLE_READER_PROGRAM));
    VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir, {});
    if (!app.start())
        return false;
    runEvents(1000);
    auto& sets = *app.mainWindow()->findChild<QComboBox*>(QStringLiteral("cboImageSetName"));
    QAbstractItemView& list = fileList(app);
    for (int run = 0; run < runs; ++run) {
        for (const QString& set : {Many, Few}) {
            QElapsedTimer timer;
            timer.start();
            choose(sets, set);
            settle(list);
            timings.switching[set].push_back(msSince(timer));
            timings.thumbnails[set].push_back(openThumbnails(app));
        }
    }
    // Different pictures: the same one copied again within half a second counts as put back.
    QStringList pictures;
    for (int seed = 0; seed < 2 * captureRuns; ++seed) {
        pictures.append(dir + QStringLiteral("/hd%1.png").arg(seed));
        ScreenshotLike(1920, 1080, seed).save(pictures.last());
    }
    // The two sets take turns, so that both meet the same moments of a busy machine (the words of
    // the pictures before are being read meanwhile, by another process).
    for (int run = 0; run < captureRuns; ++run) {
        for (const QString& set : {Few, Many}) {
            choose(sets, set);
            runEvents(500);
            timings.listed[set].push_back(
                captureUntilListed(list, pictures.at(run + (set == Many ? captureRuns : 0))));
        }
    }
    return true;
}

int measure(const QString& dir, const QString& self)
{
    QListView floorView;
    floorView.setUniformItemSizes(true);
    floorView.resize(300, 400);
    floorView.show();
    runEvents(300);
    std::vector<double> floor;
    for (int run = 0; run < runs; ++run)
        floor.push_back(listingFloor(dir + QStringLiteral("/Vistrelles/Cat/Many/"), floorView));
    floorView.hide();
    std::sort(floor.begin(), floor.end());
    const double floorMs = Median(floor);

    Times startup;
    for (const QString& set : {Few, Many}) {
        writeSettings(dir, set);
        for (int run = 0; run < runs; ++run) {
            std::optional<DesktopServices> desktop(std::in_place, QStringLiteral(VISTRELLE_READER_PROGRAM));
            QElapsedTimer timer;
            timer.start();
            std::optional<VistrelleApp> app(std::in_place, desktop->services(), desktop->dialogs(),
                                            desktop->worker(), dir, QStringList());
            if (!app->start())
                return 1;
            settle(fileList(*app));
            startup[set].push_back(msSince(timer));
            if (fileList(*app).model()->rowCount() != FilesIn(set))
                return 1;
            app.reset();
            desktop.reset();
            ReturnFreedMemory();
        }
    }

    Timings timings;
    if (!measureInOneRun(dir, timings))
        return 1;
    auto& [switching, thumbnails, listed] = timings;

    std::printf("listing floor at 200,000 files (readdir, sort, list view shown and painted), %d runs: "
                "median %.1f ms, spread %.1f - %.1f ms\n",
                runs, floorMs, floor.front(), floor.back());
    report("start-up until the list is painted (ratio to the 10-file set)", startup[Few], startup[Many]);
    report("switching to the set", switching[Few], switching[Many]);
    report("the set's thumbnail viewer open and painted", thumbnails[Few], thumbnails[Many]);
    report("a 1920x1080 capture until its line is listed", listed[Few], listed[Many]);
    const auto median = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return Median(times);
    };
    std::printf("targets at 200,000 files:\n");
    std::printf("  switching / floor                          %5.2f (at most 1.5)\n",
                median(switching[Many]) / floorMs);
    std::printf("  thumbnails open / 10-file figure           %5.2f (at most 2)\n",
                median(thumbnails[Many]) / median(thumbnails[Few]));
    std::printf("  start-up / (floor + 10-file start-up)      %5.2f (at most 1.5)\n",
                median(startup[Many]) / (floorMs + median(startup[Few])));
    std::fflush(stdout);
    return QProcess::execute(self, {QStringLiteral("--memory"), dir});
}

} // namespace

int main(int argc, char** argv)
{
    ReturnLargeBuffersAtOnce();
    const bool memoryOnly = argc == 3 && QByteArray(argv[1]) == "--memory";
    std::optional<PrivateDisplay> display;
    if (!memoryOnly && !display.emplace().started())
        return 1;
    int status = 1;
    {
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()).constData(), 1);
        QApplication application(argc, argv);
        if (memoryOnly) {
            status = measureMemory(QString::fromLocal8Bit(argv[2]));
        } else {
            QTemporaryDir dir;
            if (makeLibrary(dir.path()))
                status = measure(dir.path(), QApplication::applicationFilePath());
            else
                std::fprintf(stderr, "the library could not be made in %s\n", qPrintable(dir.path()));
        }
    }
    return status;
}
