// Reading the words of screenshots with the program's real reader, on a set of screenshots of
// real windows under a private X server: terminals (xterm), a text view and a dialog (Qt, the
// desktop's fonts), each at 9 to 14 points, light and dark, each a whole 1920x1080 screen.
// - time to read one screenshot, the process held to one processor: median, limit 2 s. On a
//   machine shared with other work the time on the clock grows with their load, so the
//   processor time the reading took is given beside it, and the limit is checked on that;
// - the reader's memory: resident size above the figure before it was loaded, at its highest
//   while reading (limit 150 MB) and after it rests;
// - accuracy: every word of four letters or more a screenshot shows, looked for with Find in an
//   index of the set: at least 95 % found;
// - the index of the set with the boxes of the words read, against the same without them: at
//   most 30 % larger.
#include "IndexSize.h"
#include "PrivateDisplay.h"
#include "ScreenText.h"
#include "Timing.h"
#include "desktop/tesseract/TesseractReader.h"
#include "library/IndexSearch.h"
#include "library/TextIndex.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>
#include <ctime>
#include <sched.h>
#include <signal.h>

namespace {

constexpr double timeLimitMs = 2000;
constexpr double memoryLimitMb = 150;
constexpr double accuracyLimit = 0.95;
constexpr double boxesLimit = 0.30;

struct Shot
{
    QString path;
    QStringList words; // of four letters or more, shown in it
};

// Milliseconds of processor time this process has used.
double processorMs()
{
    timespec used = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) * 1e3 + static_cast<double>(used.tv_nsec) / 1e6;
}

// The resident size now ("VmRSS:"), or at its highest since the last resetHighest ("VmHWM:").
double residentMb(const char* field = "VmRSS:")
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// The highest resident size starts again from the size now, so it shows the reader's peak
// inside a reading, not only the size between two.
void resetHighest()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

QPalette look(bool dark)
{
    QPalette palette;
    const QColor window = dark ? QColor(45, 45, 48) : QColor(240, 240, 240);
    const QColor base = dark ? QColor(30, 30, 30) : Qt::white;
    const QColor text = dark ? QColor(212, 212, 212) : Qt::black;
    for (const auto role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, window);
    palette.setColor(QPalette::Base, base);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}

QPixmap grabScreen()
{
    runEvents(700);
    return QGuiApplication::primaryScreen()->grabWindow(0);
}

// A terminal showing \a lines.
QPixmap terminalShot(const QStringList& lines, int points, bool dark, const QString& folder)
{
    const QString file = folder + QStringLiteral("/terminal.txt");
    QFile text(file);
    text.open(QIODevice::WriteOnly | QIODevice::Truncate);
    text.write(lines.join('\n').toUtf8() + '\n');
    text.close();
    QProcess terminal;
    terminal.start(QStringLiteral("xterm"),
                   {"-fa", "DejaVu Sans Mono", "-fs", QString::number(points), "-bg",
                    dark ? "#1e1e1e" : "white", "-fg", dark ? "#d4d4d4" : "black", "-geometry",
                    "100x28+80+60", "-title", "Terminal", "-e", "sh", "-c", "cat '" + file + "'; sleep 60"});
    terminal.waitForStarted();
    runEvents(1500);
    const QPixmap shot = grabScreen();
    terminal.kill();
    terminal.waitForFinished();
    return shot;
}

// A text view or a dialog of this process showing \a lines.
QPixmap widgetShot(const QStringList& lines, int points, bool dark, bool dialog)
{
    QDialog window;
    window.setWindowTitle(dialog ? QStringLiteral("Settings") : QStringLiteral("Notes"));
    window.setPalette(look(dark));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(points);
    window.setFont(font);
    auto* layout = new QVBoxLayout(&window);
    if (dialog) {
        for (int n = 0; n < lines.size(); ++n) {
            if (n % 4 == 1)
                layout->addWidget(new QCheckBox(lines.at(n), &window));
            else if (n % 4 == 3)
                layout->addWidget(new QLineEdit(lines.at(n), &window));
            else
                layout->addWidget(new QLabel(lines.at(n), &window));
        }
        layout->addWidget(new QPushButton(QStringLiteral("Apply"), &window));
    } else {
        auto* view = new QPlainTextEdit(lines.join('\n'), &window);
        layout->addWidget(view);
    }
    window.setGeometry(100, 80, 1500, 900);
    window.show();
    return grabScreen();
}

} // namespace

int main(int argc, char* argv[])
{
    // One processor for the whole process, the reader's threads included.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(0, &one);
    sched_setaffinity(0, sizeof one, &one);
    const PrivateDisplay display;
    if (!display.started())
        return 1;
    QApplication application(argc, argv);
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Vistrelles/");
    const QString set = root + QStringLiteral("Bench/Shots/");
    QDir().mkpath(set);

    // 6 sizes x light and dark x 3 kinds, and the terminals and text views again with other text.
    QList<Shot> shots;
    int first = 0;
    for (int round = 0; round < 2; ++round) {
        for (int points = 9; points <= 14; ++points) {
            for (const bool dark : {false, true}) {
                for (int kind = 0; kind < (round == 0 ? 3 : 2); ++kind) {
                    const QStringList lines = ScreenTextFrom(first, kind == 2 ? 8 : 18);
                    first += 5;
                    const QPixmap picture = kind == 0 ? terminalShot(lines, points, dark, dir.path())
                                                      : widgetShot(lines, points, dark, kind == 2);
                    const QString path = set + QStringLiteral("Shot_%1_%2pt_%3_%4.png")
                                                   .arg(shots.size(), 2, 10, QLatin1Char('0'))
                                                   .arg(points)
                                                   .arg(dark ? "dark" : "light")
                                                   .arg(kind == 0   ? "terminal"
                                                        : kind == 1 ? "text"
                                                                    : "dialog");
                    picture.save(path);
                    shots.append({path, LongWords(lines)});
                }
            }
        }
    }
    std::printf("%lld screenshots of 1920x1080 made\n", static_cast<long long>(shots.size()));

    const QString indexFile = dir.path() + QStringLiteral("/index.sqlite");
    TextIndex index(root, indexFile);
    if (!index.open() || !index.sync())
        return 1;
    TesseractReader reader;
    reader.setLanguages({QStringLiteral("eng")});
    resetHighest();
    const double before = residentMb();
    std::vector<double> times;
    std::vector<double> processor;
    const ReadingControl go;
    while (const std::optional<WaitingPicture> next = index.nextWaiting()) {
        QFile file(next->path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        QElapsedTimer timer;
        timer.start();
        const double startMs = processorMs();
        const TextReading reading = reader.read(bytes, go);
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        processor.push_back(processorMs() - startMs);
        index.store(next->id, reading);
    }
    const double highest = residentMb("VmHWM:");
    reader.rest();
    const double rested = residentMb();
    std::sort(times.begin(), times.end());
    std::sort(processor.begin(), processor.end());

    int words = 0;
    int found = 0;
    const IndexSearch search(root, indexFile);
    for (const Shot& shot : std::as_const(shots)) {
        QStringList missed;
        for (const QString& word : shot.words) {
            ++words;
            bool there = false;
            for (const FoundPicture& picture : search.find(word).value_or(QList<FoundPicture>()))
                there = there || picture.path == shot.path;
            there ? void(++found) : missed.append(word);
        }
        if (!missed.isEmpty())
            std::printf("  %s missed: %s\n", qPrintable(QFileInfo(shot.path).fileName()),
                        qPrintable(missed.join(' ')));
    }
    const IndexSizes sizes = MeasureIndex(root, indexFile, dir.path());
    const double accuracy = static_cast<double>(found) / words;
    const bool fast = Median(processor) <= timeLimitMs;
    const bool small = highest - before <= memoryLimitMb;
    const bool accurate = accuracy >= accuracyLimit;
    const bool compact = sizes.added() <= boxesLimit;
    std::printf("reading one screenshot, one processor: on the clock median %.0f ms  spread %.0f - %.0f ms\n",
                Median(times), times.front(), times.back());
    std::printf("  processor time median %.0f ms  spread %.0f - %.0f ms  limit %.0f ms: %s\n",
                Median(processor), processor.front(), processor.back(), timeLimitMs,
                fast ? "ok" : "TOO SLOW");
    std::printf(
        "reader's memory: %.0f MB more at its highest, %.0f MB more after resting  limit %.0f MB: %s\n",
        highest - before, rested - before, memoryLimitMb, small ? "ok" : "TOO LARGE");
    std::printf("words of four letters or more found: %d of %d (%.1f %%)  limit %.0f %%: %s\n", found, words,
                accuracy * 100, accuracyLimit * 100, accurate ? "ok" : "TOO FEW");
    std::printf(
        "index compacted: %.0f kB with the word boxes, %.0f kB without: +%.1f %%  limit %.0f %%: %s\n",
        static_cast<double>(sizes.withBoxes) / 1e3, static_cast<double>(sizes.withoutBoxes) / 1e3,
        sizes.added() * 100, boxesLimit * 100, compact ? "ok" : "TOO LARGE");
    return fast && small && accurate && compact ? 0 : 1;
}
