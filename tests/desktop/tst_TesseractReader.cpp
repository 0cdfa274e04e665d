#include "desktop/tesseract/ProcessTextReader.h"
#include "desktop/tesseract/TesseractReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <thread>
#include <unistd.h>

// The real reader on pictures made here: words read from screen text, light and dark, each
// where it lies and line by line, and files that are no pictures marked as such rather than read.
class tst_TesseractReader : public QObject
{
    Q_OBJECT

    enum class Screen { Light, DarkDialog, HighDensity, BlueOnGrey };

    // Lines of words drawn into a picture, and where each word's ink lies.
    struct DrawnText
    {
        QByteArray picture;
        QStringList words;
        QList<QRect> boxes;
        QList<int> lines; // the line of each word
    };

    static QByteArray png(const QImage& image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    // Lines of 10-point black text in a window-sized picture, which the reader enlarges; a whole
    // 1920x1080 screen with a dark dialog on a black desktop, its lines of light text far apart,
    // as a settings dialog shows them; a screen of twice the pixel density, 2560x1800, too
    // tall to be enlarged, its text twice the size; or a terminal's blue words on dark grey.
    static DrawnText drawn(const QStringList& lines, Screen screen = Screen::Light)
    {
        const bool dialog = screen == Screen::DarkDialog;
        const int density = screen == Screen::HighDensity ? 2 : 1;
        QImage image(dialog         ? QSize(1920, 1080)
                     : density == 2 ? QSize(2560, 1800)
                                    : QSize(640, 120),
                     QImage::Format_RGB32);
        const bool blue = screen == Screen::BlueOnGrey;
        image.fill(dialog ? QColor(Qt::black) : blue ? QColor(30, 30, 30) : QColor(Qt::white));
        QPainter painter(&image);
        if (dialog)
            painter.fillRect(100, 80, 1500, 900, QColor(45, 45, 48));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13 * density);
        painter.setFont(font);
        painter.setPen(dialog ? QColor(216, 216, 216) : blue ? QColor(0, 0, 238) : QColor(Qt::black));
        const QFontMetrics metrics(font);
        DrawnText text;
        for (int line = 0; line < lines.size(); ++line) {
            const QPoint start =
                dialog ? QPoint(111, 180 + line * 107) : QPoint(20, 45 + line * 40) * density;
            painter.drawText(start, lines.at(line));
            qsizetype at = 0;
            for (const QString& word : lines.at(line).split(' ')) {
                at = lines.at(line).indexOf(word, at);
                const int left = start.x() + metrics.horizontalAdvance(lines.at(line).left(at));
                text.words.append(word);
                text.boxes.append(metrics.tightBoundingRect(word).translated(left, start.y()));
                text.lines.append(line);
                at += word.size();
            }
        }
        painter.end();
        text.picture = png(image);
        return text;
    }

    static QByteArray screenText(const QString& text, Screen screen = Screen::Light)
    {
        return drawn({text}, screen).picture;
    }

private slots:
    // Each word read where it was drawn, in the pixels of the picture as it came, enlarged for
    // reading or not, and the lines kept.
    void readsScreenText_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<QStringList>("words"); // drawn, to be read; none for a file that is no picture
        QTest::addColumn<QList<QRect>>("boxes");
        QTest::addColumn<QList<int>>("lines");
        const auto row = [](const char* name, const DrawnText& text) {
            QTest::newRow(name) << text.picture << text.words << text.boxes << text.lines;
        };
        const QStringList lines = {QStringLiteral("Quarterly invoice from Harbour Supplies"),
                                   QStringLiteral("Deployment finished without errors")};
        row("window, enlarged for reading", drawn(lines));
        row("dark dialog on a black desktop", drawn(lines + lines + lines + lines, Screen::DarkDialog));
        row("a terminal's blue on dark grey", drawn(lines, Screen::BlueOnGrey));
        row("screen of twice the density, not enlarged", drawn(lines, Screen::HighDensity));
        QTest::newRow("text") << QByteArray("not a picture at all") << QStringList() << QList<QRect>()
                              << QList<int>();
        QTest::newRow("100000 x 100000 pixels")
            << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000")
            << QStringList() << QList<QRect>() << QList<int>();
    }
    void readsScreenText()
    {
        QFETCH(QByteArray, picture);
        QFETCH(QStringList, words);
        QFETCH(QList<QRect>, boxes);
        QFETCH(QList<int>, lines);
        TesseractReader reader;
        const TextReading reading = reader.read(picture, ReadingControl(), ReadingHaste::Library);
        QCOMPARE(reading.kind, words.isEmpty() ? TextReading::Kind::Unreadable : TextReading::Kind::Read);
        QStringList read;
        QList<int> readLines;
        const QStringList textLines = reading.text.split('\n');
        for (int line = 0; line < textLines.size(); ++line) {
            for (const QString& word : textLines.at(line).split(' ', Qt::SkipEmptyParts)) {
                read.append(word);
                readLines.append(line);
            }
        }
        QCOMPARE(reading.boxes.size(), read.size());
        const auto shown = [](const QRect& box) {
            return QStringLiteral("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height());
        };
        qsizetype at = -1;
        for (qsizetype n = 0; n < words.size(); ++n) {
            const qsizetype before = at;
            at = read.indexOf(words.at(n), at + 1);
            QVERIFY2(at >= 0, qPrintable(words.at(n) + " not read in: " + reading.text));
            const QRect box = reading.boxes.at(at);
            const QRect ink = boxes.at(n);
            const int off =
                std::max({std::abs(box.left() - ink.left()), std::abs(box.top() - ink.top()),
                          std::abs(box.right() - ink.right()), std::abs(box.bottom() - ink.bottom())});
            QVERIFY2(off <= 3,
                     qPrintable(words.at(n) + " read at " + shown(box) + ", drawn at " + shown(ink)));
            if (n > 0)
                QCOMPARE(readLines.at(at) == readLines.at(before), lines.at(n) == lines.at(n - 1));
        }
    }

    // Asked to stop, the reader gives up; English is always among the languages, and a choice
    // of languages none of which is installed reads English. Without the language data nothing
    // can be read, and the reader says where it looked.
    void stopLanguagesAndData()
    {
        TesseractReader reader;
        ReadingControl stopped;
        stopped.setStopping(true);
        QCOMPARE(reader.read(screenText("Stopped before it began"), stopped, ReadingHaste::Library).kind,
                 TextReading::Kind::Stopped);
        QVERIFY(reader.installedLanguages().contains("eng"));
        QVERIFY(!reader.installedLanguages().contains("osd"));
        reader.setLanguages({"xx_none"});
        QVERIFY(reader.read(screenText("Language fallback works"), ReadingControl(), ReadingHaste::Library)
                    .text.contains("fallback"));

        qputenv("TESSDATA_PREFIX", QFile::encodeName(QDir::tempPath() + "/no-such-tessdata"));
        const TextReading missing = TesseractReader().read(screenText("Nothing to read with"),
                                                           ReadingControl(), ReadingHaste::Library);
        qunsetenv("TESSDATA_PREFIX");
        QCOMPARE(missing.kind, TextReading::Kind::Unavailable);
        QVERIFY2(missing.text.contains("no-such-tessdata"), qPrintable(missing.text));
    }

    // Real screenshots of windows beside a black desktop. A dark dialog (its labels, tick boxes
    // and fields): a threshold split between the desktop's black and the dialog's grey lost the
    // first letters of words near the dialog's edge ("emperature"). A light dialog: the 1-pixel
    // grey stroke of an "I" near the desktop fell below a threshold drawn towards its black
    // ("nvoice"). A light terminal, its words 2 pixels from its edge: taken for ink on the
    // desktop's black, their first letters were lost ("useum"). A terminal's sixteen colours on
    // dark grey: as greys, its blues and reds stood barely apart from the ground.
    void windowBesideBlack_data()
    {
        QTest::addColumn<QString>("screenshot");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("dark dialog") << QString("dark_dialog.png")
                                     << QStringList{"Translation", "Download", "Weekly", "Temperature",
                                                    "Project"};
        QTest::newRow("light dialog")
            << QString("light_dialog.png") << QStringList{"Invoice", "Harbour", "Supplies"};
        QTest::newRow("light terminal")
            << QString("light_terminal.png") << QStringList{"Museum", "Contract", "Battery"};
        QTest::newRow("colour terminal")
            << QString("colour_terminal.png")
            << QStringList{"Spreadsheet", "bicycle", "synchronisation", "morning", "passed", "matching"};
    }
    void windowBesideBlack()
    {
        QFETCH(QString, screenshot);
        QFETCH(QStringList, words);
        QFile file(QStringLiteral(SCREENSHOTS_DIR "/") + screenshot);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text =
            TesseractReader().read(file.readAll(), ReadingControl(), ReadingHaste::Library).text;
        for (const QString& word : std::as_const(words))
            QVERIFY2(text.split(QRegularExpression("\\s+")).contains(word), qPrintable(text));
    }

    // The program's reading process: it reads, the lines and boxes coming across as read, a
    // hold stops it at once until the hold ends, a stop ends it, and a process that crashes
    // marks the picture while one that cannot start or ends on its own is told.
    void inItsOwnProcess()
    {
        ProcessTextReader reader(VISTRELLE_READER_PROGRAM);
        ReadingControl control;
        const QByteArray picture =
            drawn({"Quarterly invoice from Harbour Supplies", "Deployment finished"}).picture;
        const TextReading here = TesseractReader().read(picture, ReadingControl(), ReadingHaste::Library);
        const TextReading there = reader.read(picture, control, ReadingHaste::Library);
        QCOMPARE(there.text, here.text);
        QCOMPARE(there.boxes, here.boxes);
        QVERIFY2(there.text.contains("Harbour"), qPrintable(there.text));
        QTRY_COMPARE(readingProcesses(), QStringList{"S"}); // waits for the next picture

        control.holdFor(std::chrono::seconds(2));
        reader.holdNow();
        QTRY_COMPARE(readingProcesses(), QStringList{"T"});
        QVERIFY(reader.read(picture, control, ReadingHaste::Library).text.contains("Harbour"));
        QTRY_COMPARE(readingProcesses(), QStringList{"S"});

        // A capture is read at nice 10, a picture of the library as a batch job at nice 19, so
        // that neither is shut out by busy programs; then the process waits at nice 10 again.
        const QByteArray screen = screenText("Quarterly invoice from Harbour Supplies", Screen::DarkDialog);
        QString priority;
        std::thread watcher([&] { priority = readingPriority(); });
        QVERIFY(reader.read(screen, control, ReadingHaste::Capture).text.contains("Harbour"));
        watcher.join();
        QCOMPARE(priority, "0/10");
        QTRY_COMPARE(threadsOf(readingProcess()), QStringList{"S 0/10"});
        std::thread stopper([&] {
            // Once the process is at the picture.
            priority = readingPriority();
            control.setStopping(true);
        });
        // A whole screen, long enough to read to be stopped in the middle.
        QCOMPARE(reader.read(screen, control, ReadingHaste::Library).kind, TextReading::Kind::Stopped);
        stopper.join();
        QCOMPARE(priority, "3/19");
        QTRY_COMPARE(readingProcesses(), QStringList());

        // A picture that takes more processor time than any screenshot is given up on and
        // marked; the next one is read by a new process. Random dots are countless tiny letters.
        QImage noise(4800, 4800, QImage::Format_Grayscale8);
        quint32 seed = 1;
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.scanLine(y)[x] = (seed = seed * 1664525 + 1013904223) >> 31 ? 0 : 255;
        ProcessTextReader hasted(VISTRELLE_READER_PROGRAM, {"--seconds-per-picture", "1"});
        QCOMPARE(hasted.read(png(noise), ReadingControl(), ReadingHaste::Library).kind,
                 TextReading::Kind::Unreadable);
        QVERIFY(hasted.read(picture, ReadingControl(), ReadingHaste::Library).text.contains("Harbour"));

        ProcessTextReader crashing("sh", {"-c", "kill -SEGV $$"});
        QCOMPARE(crashing.read("a picture", ReadingControl(), ReadingHaste::Library).kind,
                 TextReading::Kind::Unreadable);
        const TextReading ended = ProcessTextReader("sh", {"-c", "exit 3"})
                                      .read("a picture", ReadingControl(), ReadingHaste::Library);
        QCOMPARE(ended.kind, TextReading::Kind::Unavailable);
        QVERIFY2(ended.text.contains("code 3"), qPrintable(ended.text));
        ProcessTextReader missing("/nonexistent/vistrelle-reader");
        QCOMPARE(missing.read(picture, ReadingControl(), ReadingHaste::Library).kind,
                 TextReading::Kind::Unavailable);
    }

private:
    // The state of each living process this thread started ("S" waiting, "T" stopped, "R" when
    // one of its threads runs), from /proc; one that died and is not collected yet is no longer
    // there.
    static QStringList readingProcesses()
    {
        QStringList states;
        QFile children(QStringLiteral("/proc/self/task/%1/children").arg(::getpid()));
        if (!children.open(QIODevice::ReadOnly))
            return states;
        for (const QByteArray& pid : children.readAll().split(' ')) {
            const QStringList threads = threadsOf(pid.trimmed());
            if (threads.isEmpty() || threads.first().startsWith('Z'))
                continue;
            const bool running = std::any_of(threads.cbegin(), threads.cend(),
                                             [](const QString& thread) { return thread.startsWith('R'); });
            states.append(running ? "R" : threads.first().left(1));
        }
        return states;
    }

    // Each thread of the process \a pid, the first first: its state, scheduling policy and nice
    // value ("R 3/19" is running as SCHED_BATCH at nice 19).
    static QStringList threadsOf(const QByteArray& pid)
    {
        QStringList threads;
        const QDir tasks("/proc/" + pid + "/task");
        QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(ids.begin(), ids.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        for (const QString& id : ids) {
            QFile stat(tasks.filePath(id + "/stat"));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // After the name: state is field 3, nice 19, policy 41.
            const QList<QByteArray> fields = stat.readAll().split(')').value(1).trimmed().split(' ');
            if (fields.size() > 38)
                threads.append(fields.at(0) + " " + fields.at(38) + "/" + fields.at(16));
        }
        return threads;
    }

    // How the reading process this thread started reads: the policy and nice value of the
    // thread beside its first, a moment after it began to run (within ten seconds); empty when
    // none did.
    static QString readingPriority()
    {
        for (int look = 0; look < 2000; ++look) {
            if (threadsOf(readingProcess()).value(1).startsWith('R')) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                return threadsOf(readingProcess()).value(1).mid(2);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return {};
    }

    // The one process this thread started.
    static QByteArray readingProcess()
    {
        QFile children(QStringLiteral("/proc/self/task/%1/children").arg(::getpid()));
        return children.open(QIODevice::ReadOnly) ? children.readAll().trimmed() : QByteArray();
    }
};

QTEST_MAIN(tst_TesseractReader)
#include "tst_TesseractReader.moc"
