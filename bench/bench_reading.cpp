// Reading the words of screenshots with the program's real reader, on a set of screenshots of
// real windows under a private X server: terminals (xterm), a text view and a dialog (Qt, the
// desktop's fonts), each at 9 to 14 points, light and dark, each a whole 1920x1080 screen; and
// words in colour on dark grounds: terminals with their sixteen colours on black and on dark
// grey, and an editor's colours of code on dark grey; windows whose menu bar, light or dark
// grey, holds words found nowhere else on the screen.
// - time to read one screenshot, the process held to one processor: median, limit 2 s. On a
//   machine shared with other work the time on the clock grows with their load, so the
//   processor time the reading took is given beside it, and the limit is checked on that;
// - the reader's memory: resident size above the figure before it was loaded, at its highest
//   while reading (limit 150 MB) and after it rests;
// - accuracy: every word of four letters or more a screenshot shows, looked for with Find in an
//   index of the set: at least 95 % found, and for each style no fewer than the plain
//   recognizer's command finds in the same pictures (its words, as a user would search them);
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
#include <QMap>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextEdit>
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
    QString style;
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

// \a lines with each word in the next of a terminal's colours that show on a dark ground.
QStringList inColours(const QStringList& lines)
{
    static const int colours[] = {31, 32, 33, 34, 35, 36, 37, 90, 91, 92, 93, 94, 95, 96, 97};
    QStringList coloured;
    int next = 0;
    for (const QString& line : lines) {
        QStringList words = line.split(' ');
        for (QString& word : words)
            word = QStringLiteral("\x1b[%1m%2\x1b[0m").arg(colours[next++ % std::size(colours)]).arg(word);
        coloured.append(words.join(' '));
    }
    return coloured;
}

// A terminal showing \a lines on the ground \a ground (a colour name), in its colours when
// \a coloured.
QPixmap terminalShot(const QStringList& lines, int points, const QString& ground, bool coloured,
                     const QString& folder)
{
    const QString file = folder + QStringLiteral("/terminal.txt");
    QFile text(file);
    text.open(QIODevice::WriteOnly | QIODevice::Truncate);
    text.write((coloured ? inColours(lines) : lines).join('\n').toUtf8() + '\n');
    text.close();
    const bool dark = ground != QLatin1String("white");
    QProcess terminal;
    terminal.start(QStringLiteral("xterm"),
                   {"-fa", "DejaVu Sans Mono", "-fs", QString::number(points), "-bg", ground, "-fg",
                    dark ? "#d4d4d4" : "black", "-geometry", "100x28+80+60", "-title", "Terminal", "-e", "sh",
                    "-c", "cat '" + file + "'; sleep 60"});
    terminal.waitForStarted();
    runEvents(1500);
    const QPixmap shot = grabScreen();
    terminal.kill();
    terminal.waitForFinished();
    return shot;
}

// Dresses \a window of this process: titled \a title, in the light or dark look, its text in
// \a family at \a points; answers the layout that holds its widgets top to bottom.
QVBoxLayout* dressed(QDialog& window, const QString& title, bool dark, const QString& family, int points)
{
    window.setWindowTitle(title);
    window.setPalette(look(dark));
    QFont font(family);
    font.setPointSize(points);
    window.setFont(font);
    return new QVBoxLayout(&window);
}

// The screen with \a window shown on it.
QPixmap shotOf(QDialog& window)
{
    window.setGeometry(100, 80, 1500, 900);
    window.show();
    return grabScreen();
}

// An editor showing \a lines as code in its colours on dark grey: keywords, names, strings and
// comments each in their own.
QPixmap editorShot(const QStringList& lines, int points)
{
    static const char* colours[] = {"#569cd6", "#c586c0", "#4ec9b0", "#ce9178",
                                    "#6a9955", "#dcdcaa", "#9cdcfe"};
    QString html = QStringLiteral("<pre style=\"font-family: 'DejaVu Sans Mono'\">");
    int next = 0;
    for (const QString& line : lines) {
        for (const QString& word : line.split(' '))
            html += QStringLiteral("<span style=\"color: %1\">%2</span> ")
                        .arg(QLatin1String(colours[next++ % std::size(colours)]), word.toHtmlEscaped());
        html += QLatin1Char('\n');
    }
    QDialog window;
    QVBoxLayout* layout =
        dressed(window, QStringLiteral("main.cpp"), true, QStringLiteral("DejaVu Sans Mono"), points);
    auto* view = new QTextEdit(&window);
    view->setHtml(html + QStringLiteral("</pre>"));
    layout->addWidget(view);
    return shotOf(window);
}

// The words of four letters or more the plain recognizer's command reads in \a path.
QSet<QString> plainCommandWords(const QString& path)
{
    QProcess command;
    command.start(QStringLiteral("tesseract"), {path, QStringLiteral("stdout")});
    command.waitForFinished(120000);
    const QStringList words = LongWords({QString::fromUtf8(command.readAllStandardOutput())});
    return {words.begin(), words.end()};
}

// A text view or a dialog of this process showing \a lines.
QPixmap widgetShot(const QStringList& lines, int points, bool dark, bool dialog)
{
    QDialog window;
    QVBoxLayout* layout = dressed(window, dialog ? QStringLiteral("Settings") : QStringLiteral("Notes"), dark,
                                  QStringLiteral("DejaVu Sans"), points);
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
    return shotOf(window);
}

// A window whose menu bar, of colour \a bar with its text in \a text, holds the \a menus; the
// \a lines stand in a text view below it.
QPixmap menuShot(const QStringList& menus, const QStringList& lines, int points, const char* bar,
                 const char* text)
{
    QDialog window;
    QVBoxLayout* layout =
        dressed(window, QStringLiteral("Notes"), false, QStringLiteral("DejaVu Sans"), points);
    auto* menuBar = new QMenuBar(&window);
    menuBar->setStyleSheet(QStringLiteral("QMenuBar { background: %1; color: %2; }")
                               .arg(QLatin1String(bar), QLatin1String(text)));
    for (const QString& title : menus)
        menuBar->addMenu(title.at(0).toUpper() + title.mid(1));
    layout->setMenuBar(menuBar);
    layout->addWidget(new QPlainTextEdit(lines.join('\n'), &window));
    return shotOf(window);
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

    // 6 sizes x light and dark x 3 kinds, and the terminals and text views again with other text;
    // then 6 sizes x terminals in colour on black and on dark grey, and the editor; then 6 sizes x
    // windows with a light and a dark grey menu bar.
    QList<Shot> shots;
    int first = 0;
    const auto keep = [&](const QPixmap& picture, const QStringList& lines, int points, const char* style) {
        const QString path = set + QStringLiteral("Shot_%1_%2pt_%3.png")
                                       .arg(shots.size(), 2, 10, QLatin1Char('0'))
                                       .arg(points)
                                       .arg(QLatin1String(style));
        picture.save(path);
        shots.append({path, LongWords(lines), QLatin1String(style)});
    };
    for (int round = 0; round < 2; ++round) {
        for (int points = 9; points <= 14; ++points) {
            for (const bool dark : {false, true}) {
                for (int kind = 0; kind < (round == 0 ? 3 : 2); ++kind) {
                    const QStringList lines = ScreenTextFrom(first, kind == 2 ? 8 : 18);
                    first += 5;
                    if (kind == 0)
                        keep(terminalShot(lines, points, dark ? "#1e1e1e" : "white", false, dir.path()),
                             lines, points, dark ? "dark_terminal" : "light_terminal");
                    else
                        keep(widgetShot(lines, points, dark, kind == 2), lines, points,
                             kind == 1 ? (dark ? "dark_text" : "light_text")
                                       : (dark ? "dark_dialog" : "light_dialog"));
                }
            }
        }
    }
    for (int points = 9; points <= 14; ++points) {
        for (const char* ground : {"black", "#1e1e1e"}) {
            const QStringList lines = ScreenTextFrom(first, 18);
            first += 5;
            keep(terminalShot(lines, points, QLatin1String(ground), true, dir.path()), lines, points,
                 ground == QLatin1String("black") ? "colour_terminal_black" : "colour_terminal_grey");
        }
        const QStringList lines = ScreenTextFrom(first, 18);
        first += 5;
        keep(editorShot(lines, points), lines, points, "colour_editor");
    }
    for (int points = 9; points <= 14; ++points) {
        for (const bool dark : {false, true}) {
            const QStringList menus = LongWords(ScreenTextFrom(first, 2)).mid(0, 7);
            const QStringList lines = ScreenTextFrom(first + 2, 16);
            first += 5;
            keep(menuShot(menus, lines, points, dark ? "#3c3f41" : "#d4d4d4", dark ? "#bbbbbb" : "black"),
                 QStringList{menus.join(' ')} + lines, points, dark ? "dark_menu_bar" : "light_menu_bar");
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
        const TextReading reading = reader.read(bytes, go, ReadingHaste::Library);
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
    // Each style's words, found by Find and by the plain command.
    QMap<QString, std::array<int, 3>> styles;
    const IndexSearch search(root, indexFile);
    for (const Shot& shot : std::as_const(shots)) {
        QStringList missed;
        const QSet<QString> plain = plainCommandWords(shot.path);
        std::array<int, 3>& style = styles[shot.style];
        for (const QString& word : shot.words) {
            ++words;
            bool there = false;
            QList<FoundPicture> answer;
            search.find(word, answer);
            for (const FoundPicture& picture : std::as_const(answer))
                there = there || picture.path == shot.path;
            there ? void(++found) : missed.append(word);
            style[0] += 1;
            style[1] += there ? 1 : 0;
            style[2] += plain.contains(word) ? 1 : 0;
        }
        if (!missed.isEmpty())
            std::printf("  %s missed: %s\n", qPrintable(QFileInfo(shot.path).fileName()),
                        qPrintable(missed.join(' ')));
    }
    bool noWorse = true;
    std::printf("words found by style: Find, the plain command\n");
    for (auto style = styles.cbegin(); style != styles.cend(); ++style) {
        const auto& [all, ours, plain] = style.value();
        noWorse = noWorse && ours >= plain;
        std::printf("  %-24s %5.1f %%  %5.1f %%%s\n", qPrintable(style.key()), 100.0 * ours / all,
                    100.0 * plain / all, ours >= plain ? "" : "  FEWER");
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
    std::printf("every style read no worse than by the plain command: %s\n", noWorse ? "ok" : "FEWER");
    return fast && small && accurate && compact && noWorse ? 0 : 1;
}
