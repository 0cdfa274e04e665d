// Live folders: the real program with the real platform services under a private X server, on
// one Image Set of 10 files and one of 200,000 (FILEMAX=250000), each shown in turn while this
// process plays the other program:
// - a picture written into the set in place (as cp does) and one moved in whole (as mv, or a
//   sync tool renaming its temporary, does), each until its line is listed, and its removal until
//   the line is gone;
// - the cost of one change against the lines listed: a notice until the change is told, the
//   window left out, at 10 and 200,000 lines (the notices faked, the folder real), with the
//   notice naming the file and naming nothing (the folder listed again), beside the floor of
//   reading the 200,000-file folder;
// - the program's processor time while idle with the 200,000-file set shown, following its
//   folders and not.
#include "PrivateDisplay.h"
#include "ScaleLibrary.h"
#include "Timing.h"
#include "app/DesktopServices.h"
#include "app/VistrelleApp.h"
#include "library/ImageSetModel.h"
#include "library/LibraryTree.h"
#include "platform/FolderListing.h"
#include "platform/FolderWatcher.h"
#include "ui/main/LiveFolders.h"
#include "ui/main/frmVistrelle.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int runs = 15;
constexpr int idleSeconds = 10;
bool makeLibrary(const QString& dir)
{
    if (!MakeScaleLibrary(dir))
        return false;
    QFile ini(dir + QStringLiteral("/Vistrelle.ini"));
    return ini.open(QIODevice::WriteOnly) &&
           ini.write("FILEMAX=250000\r\nFIRSTCAT=Cat\r\nFIRSTSET=Few\r\n") > 0;
}

double msSince(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Milliseconds from \a act until the list holds \a rows lines; -1 after 10 s.
double until(QAbstractItemView& list, int rows, const std::function<void()>& act)
{
    QElapsedTimer timer;
    timer.start();
    act();
    while (list.model()->rowCount() != rows) {
        if (timer.elapsed() > 10000)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return msSince(timer);
}

// A picture of a few hundred bytes, as a screenshot tool writes one; a \a finished one carries the
// time it was made a minute ago, as one moved in from elsewhere does.
void writePicture(const QString& path, bool finished = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QByteArray(600, 'p'));
    file.flush();
    if (finished)
        file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
}

double processorMs()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Notices as this benchmark makes them.
class BenchWatcher final : public FolderWatcher
{
public:
    void watch(const QStringList&) override {}
};

// A notice of \a folder until LiveFolders tells the change, the window left out, \a runs times:
// a file moved in whole, then removed. The notice names the file, as the kernel's do, or with
// \a named false names nothing, as when notices were lost: the folder is listed again.
std::vector<double> changeCost(const QString& root, const QString& folder, bool named)
{
    QStringList paths;
    for (const QString& file : ImageSetPictures(folder))
        paths.append(file);
    ImageSetModel model;
    model.setImages(folder, paths, ManyFiles + runs);
    BenchWatcher watcher;
    LiveFolders live(watcher, model, nullptr);
    live.follow(root, root + QStringLiteral("Cat/"), {}, ManyFiles + runs);
    bool told = false;
    QObject::connect(&live, &LiveFolders::picturesChanged, &live,
                     [&](const QStringList& added, const QStringList& removed) {
                         for (const QString& path : removed)
                             model.removeImage(path);
                         for (const QString& path : added)
                             model.insertImage(path);
                         told = true;
                     });
    const QString whole = root + QStringLiteral("whole.jpg");
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const QString path = folder + QStringLiteral("moved-%1.jpg").arg(run);
        for (const bool in : {true, false}) {
            if (in) {
                writePicture(whole, true);
                QFile::rename(whole, path);
            } else {
                QFile::remove(path);
            }
            told = false;
            QElapsedTimer timer;
            timer.start();
            if (named)
                emit watcher.entriesChanged(folder, {FileNameOf(path)});
            else
                emit watcher.folderChanged(folder);
            while (!told && timer.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            times.push_back(msSince(timer));
        }
    }
    std::sort(times.begin(), times.end());
    return times;
}

int measure(const QString& dir)
{
    const QString root = dir + QStringLiteral("/Vistrelles/");
    std::map<QString, std::vector<double>> written, moved, removed, cost, relisted;
    double idleFollowing = 0, idleNot = 0;
    {
        DesktopServices desktop(QStringLiteral(VISTRELLE_READER_PROGRAM));
        VistrelleApp app(desktop.services(), desktop.dialogs(), desktop.worker(), dir, {});
        if (!app.start())
            return 1;
        runEvents(1000);
        auto& sets = *app.mainWindow()->findChild<QComboBox*>(QStringLiteral("cboImageSetName"));
        auto& list = *app.mainWindow()->findChild<QAbstractItemView*>(QStringLiteral("lstComponents"));
        // The two sets take turns, so that both meet the same moments of a busy machine.
        for (int run = 0; run < runs; ++run) {
            for (const QString& set : {Few, Many}) {
                const int row = sets.findText(set);
                sets.setCurrentIndex(row);
                emit sets.activated(row);
                runEvents(300);
                const QString folder = root + QStringLiteral("Cat/") + set + QLatin1Char('/');
                const int rows = list.model()->rowCount();
                const QString path = folder + QStringLiteral("Shot_%1.jpg").arg(run);
                written[set].push_back(until(list, rows + 1, [&] { writePicture(path); }));
                removed[set].push_back(until(list, rows, [&] { QFile::remove(path); }));
                const QString whole = dir + QStringLiteral("/whole.jpg");
                writePicture(whole, true);
                moved[set].push_back(until(list, rows + 1, [&] { QFile::rename(whole, path); }));
                QFile::remove(path);
                runEvents(300);
            }
        }
        const int row = sets.findText(Many);
        sets.setCurrentIndex(row);
        emit sets.activated(row);
        runEvents(2000);
        app.mainWindow()->findChild<LiveFolders*>()->stop();
        double before = processorMs();
        runEvents(idleSeconds * 1000);
        idleNot = processorMs() - before;
        // Shown again, the set is followed again.
        emit sets.activated(row);
        runEvents(2000);
        before = processorMs();
        runEvents(idleSeconds * 1000);
        idleFollowing = processorMs() - before;
    }
    std::vector<double> floor =
        TimeRuns(runs, [&] { ListFolder(root + QStringLiteral("Cat/") + Many + '/'); });
    for (const QString& set : {Few, Many}) {
        cost[set] = changeCost(root, root + QStringLiteral("Cat/") + set + QLatin1Char('/'), true);
        relisted[set] = changeCost(root, root + QStringLiteral("Cat/") + set + QLatin1Char('/'), false);
    }

    const auto report = [](const char* what, std::map<QString, std::vector<double>>& times) {
        for (auto& [set, list] : times)
            std::sort(list.begin(), list.end());
        std::printf("%s\n", what);
        Report("10 files", times[Few], Median(times[Few]));
        Report("200,000 files", times[Many], Median(times[Few]));
    };
    std::printf("%d runs each, the two sets taking turns\n", runs);
    report("a picture written in place until its line is listed", written);
    report("a picture moved in whole until its line is listed", moved);
    report("a picture removed until its line is gone", removed);
    report("one change against the lines listed, notice until told (window left out)", cost);
    report("the same, the notice naming nothing: the folder listed again", relisted);
    std::printf(
        "listing floor: the 200,000-file folder read (readdir), median %.1f ms, spread %.1f - %.1f ms\n",
        Median(floor), floor.front(), floor.back());
    std::printf("idle with the 200,000-file set shown, processor time in %d s: following %.1f ms, "
                "not following %.1f ms\n",
                idleSeconds, idleFollowing, idleNot);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    PrivateDisplay display;
    if (!display.started())
        return 1;
    int status = 1;
    {
        QTemporaryDir runtime;
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()).constData(), 1);
        QApplication application(argc, argv);
        QTemporaryDir dir;
        if (makeLibrary(dir.path()))
            status = measure(dir.path());
        else
            std::fprintf(stderr, "the library could not be made in %s\n", qPrintable(dir.path()));
    }
    return status;
}
