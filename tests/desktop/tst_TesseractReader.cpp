#include "desktop/tesseract/ProcessTextReader.h"
#include "desktop/tesseract/TesseractReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <thread>
#include <unistd.h>

// The real reader on pictures made here: words read from screen text, light and dark, and
// files that are no pictures marked as such rather than read.
class tst_TesseractReader : public QObject
{
    Q_OBJECT

    enum class Screen { Light, DarkDialog };

    static QByteArray png(const QImage& image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    // A line of 10-point black text in a window-sized picture, or a whole 1920x1080 screen: a dark
    // dialog on a black desktop, its lines of light text far apart, as a settings dialog shows them.
    static QByteArray screenText(const QString& text, Screen screen = Screen::Light)
    {
        const bool dialog = screen == Screen::DarkDialog;
        QImage image(dialog ? QSize(1920, 1080) : QSize(640, 120), QImage::Format_RGB32);
        image.fill(dialog ? Qt::black : Qt::white);
        QPainter painter(&image);
        if (dialog)
            painter.fillRect(100, 80, 1500, 900, QColor(45, 45, 48));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        painter.setFont(font);
        painter.setPen(dialog ? QColor(216, 216, 216) : QColor(Qt::black));
        for (int line = 0; line < (dialog ? 8 : 1); ++line)
            painter.drawText(dialog ? 111 : 20, dialog ? 180 + line * 107 : 60, text);
        painter.end();
        return png(image);
    }

private slots:
    void readsScreenText_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<bool>("read"); // else marked as no picture
        const QString text = QStringLiteral("Quarterly invoice from Harbour Supplies");
        QTest::newRow("dark dialog on a black desktop") << screenText(text, Screen::DarkDialog) << true;
        QTest::newRow("text") << QByteArray("not a picture at all") << false;
        QTest::newRow("100000 x 100000 pixels")
            << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000") << false;
    }
    void readsScreenText()
    {
        QFETCH(QByteArray, picture);
        QFETCH(bool, read);
        TesseractReader reader;
        const TextReading reading = reader.read(picture, ReadingControl());
        QCOMPARE(reading.kind, read ? TextReading::Kind::Read : TextReading::Kind::Unreadable);
        for (const char* word : {"Quarterly", "invoice", "Harbour", "Supplies"})
            QVERIFY2(!read || reading.text.contains(word), qPrintable(reading.text));
    }

    // Asked to stop, the reader gives up; English is always among the languages, and a choice
    // of languages none of which is installed reads English. Without the language data nothing
    // can be read, and the reader says where it looked.
    void stopLanguagesAndData()
    {
        TesseractReader reader;
        ReadingControl stopped;
        stopped.stop = true;
        QCOMPARE(reader.read(screenText("Stopped before it began"), stopped).kind,
                 TextReading::Kind::Stopped);
        QVERIFY(reader.installedLanguages().contains("eng"));
        QVERIFY(!reader.installedLanguages().contains("osd"));
        reader.setLanguages({"xx_none"});
        QVERIFY(
            reader.read(screenText("Language fallback works"), ReadingControl()).text.contains("fallback"));

        qputenv("TESSDATA_PREFIX", QFile::encodeName(QDir::tempPath() + "/no-such-tessdata"));
        const TextReading missing =
            TesseractReader().read(screenText("Nothing to read with"), ReadingControl());
        qunsetenv("TESSDATA_PREFIX");
        QCOMPARE(missing.kind, TextReading::Kind::Unavailable);
        QVERIFY2(missing.text.contains("no-such-tessdata"), qPrintable(missing.text));
    }

    // The program's reading process: it reads, a hold stops it at once until the hold ends, a
    // stop ends it, and a process that crashes marks the picture while one that cannot start
    // or ends on its own is told.
    void inItsOwnProcess()
    {
        ProcessTextReader reader(VISTRELLE_READER_PROGRAM);
        ReadingControl control;
        const QByteArray picture = screenText("Quarterly invoice from Harbour Supplies");
        QVERIFY(reader.read(picture, control).text.contains("Harbour"));
        QTRY_COMPARE(readingProcesses(), QStringList{"S"}); // waits for the next picture

        control.holdUntil = ReadingControl::Clock::now() + std::chrono::seconds(2);
        reader.holdNow();
        QTRY_COMPARE(readingProcesses(), QStringList{"T"});
        QVERIFY(reader.read(picture, control).text.contains("Harbour"));
        QTRY_COMPARE(readingProcesses(), QStringList{"S"});

        std::thread stopper([&] {
            // Once the process is at the picture.
            for (int look = 0; look < 1000 && readingProcesses() != QStringList{"R"}; ++look)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            control.stop = true;
        });
        // A whole screen, long enough to read to be stopped in the middle.
        const QByteArray screen = screenText("Quarterly invoice from Harbour Supplies", Screen::DarkDialog);
        QCOMPARE(reader.read(screen, control).kind, TextReading::Kind::Stopped);
        stopper.join();
        QTRY_COMPARE(readingProcesses(), QStringList());

        // A picture that takes more processor time than any screenshot is given up on and
        // marked; the next one is read by a new process. Random dots are countless tiny letters.
        QImage noise(4800, 4800, QImage::Format_Grayscale8);
        quint32 seed = 1;
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x)
                noise.scanLine(y)[x] = (seed = seed * 1664525 + 1013904223) >> 31 ? 0 : 255;
        ProcessTextReader hasted(VISTRELLE_READER_PROGRAM, {"--seconds-per-picture", "1"});
        QCOMPARE(hasted.read(png(noise), ReadingControl()).kind, TextReading::Kind::Unreadable);
        QVERIFY(hasted.read(picture, ReadingControl()).text.contains("Harbour"));

        ProcessTextReader crashing("sh", {"-c", "kill -SEGV $$"});
        QCOMPARE(crashing.read("a picture", ReadingControl()).kind, TextReading::Kind::Unreadable);
        const TextReading ended =
            ProcessTextReader("sh", {"-c", "exit 3"}).read("a picture", ReadingControl());
        QCOMPARE(ended.kind, TextReading::Kind::Unavailable);
        QVERIFY2(ended.text.contains("code 3"), qPrintable(ended.text));
        ProcessTextReader missing("/nonexistent/vistrelle-reader");
        QCOMPARE(missing.read(picture, ReadingControl()).kind, TextReading::Kind::Unavailable);
    }

private:
    // The state of each living process this thread started ("S" waiting, "T" stopped), from
    // /proc; one that died and is not collected yet is no longer there.
    static QStringList readingProcesses()
    {
        QStringList states;
        QFile children(QStringLiteral("/proc/self/task/%1/children").arg(::getpid()));
        if (!children.open(QIODevice::ReadOnly))
            return states;
        for (const QByteArray& pid : children.readAll().split(' ')) {
            QFile stat("/proc/" + pid.trimmed() + "/stat");
            if (pid.trimmed().isEmpty() || !stat.open(QIODevice::ReadOnly))
                continue;
            const QString state = stat.readAll().split(')').value(1).trimmed().left(1);
            if (state != "Z")
                states.append(state);
        }
        return states;
    }
};

QTEST_MAIN(tst_TesseractReader)
#include "tst_TesseractReader.moc"
