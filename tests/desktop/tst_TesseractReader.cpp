#include "desktop/tesseract/TesseractReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>

// The real reader on pictures made here: words read from screen text, light and dark, and
// files that are no pictures marked as such rather than read.
class tst_TesseractReader : public QObject
{
    Q_OBJECT

    enum class Screen { Light, Dark, DarkDialog };

    // A line of 10-point text in a window-sized picture, or a whole 1920x1080 screen: a dark
    // dialog on a black desktop, its lines of text far apart, as a settings dialog shows them.
    static QByteArray screenText(const QString& text, Screen screen = Screen::Light)
    {
        const bool dialog = screen == Screen::DarkDialog;
        QImage image(dialog ? QSize(1920, 1080) : QSize(640, 120), QImage::Format_RGB32);
        image.fill(dialog ? QColor(Qt::black) : screen == Screen::Dark ? QColor(30, 30, 30) : Qt::white);
        QPainter painter(&image);
        if (dialog)
            painter.fillRect(100, 80, 1500, 900, QColor(45, 45, 48));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        painter.setFont(font);
        painter.setPen(screen == Screen::Light ? QColor(Qt::black) : QColor(216, 216, 216));
        for (int line = 0; line < (dialog ? 8 : 1); ++line)
            painter.drawText(dialog ? 111 : 20, dialog ? 180 + line * 107 : 60, text);
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

private slots:
    void readsScreenText_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<bool>("read"); // else marked as no picture
        const QString text = QStringLiteral("Quarterly invoice from Harbour Supplies");
        QTest::newRow("light") << screenText(text) << true;
        QTest::newRow("dark") << screenText(text, Screen::Dark) << true;
        QTest::newRow("dark dialog on a black desktop") << screenText(text, Screen::DarkDialog) << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("not a picture at all") << false;
        QTest::newRow("100000 x 100000 pixels")
            << QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000") << false;
    }
    void readsScreenText()
    {
        QFETCH(QByteArray, picture);
        QFETCH(bool, read);
        TesseractReader reader;
        const std::atomic_bool stop = false;
        const TextReading reading = reader.read(picture, stop);
        QCOMPARE(reading.kind, read ? TextReading::Kind::Read : TextReading::Kind::Unreadable);
        for (const char* word : {"Quarterly", "invoice", "Harbour", "Supplies"})
            QVERIFY2(!read || reading.text.contains(word), qPrintable(reading.text));
    }

    // Asked to stop, the reader gives up; English is always among the languages, and a choice
    // of languages none of which is installed reads English.
    void stopAndLanguages()
    {
        TesseractReader reader;
        const std::atomic_bool stop = true;
        QCOMPARE(reader.read(screenText("Stopped before it began"), stop).kind, TextReading::Kind::Stopped);
        QVERIFY(reader.installedLanguages().contains("eng"));
        QVERIFY(!reader.installedLanguages().contains("osd"));
        reader.setLanguages({"xx_none"});
        const std::atomic_bool go = false;
        QVERIFY(reader.read(screenText("Language fallback works"), go).text.contains("fallback"));
    }

    // Without the language data nothing can be read, and the reader says where it looked.
    void missingData()
    {
        qputenv("TESSDATA_PREFIX", QFile::encodeName(QDir::tempPath() + "/no-such-tessdata"));
        TesseractReader reader;
        const std::atomic_bool stop = false;
        const TextReading reading = reader.read(screenText("Nothing to read with"), stop);
        qunsetenv("TESSDATA_PREFIX");
        QCOMPARE(reading.kind, TextReading::Kind::Unavailable);
        QVERIFY2(reading.text.contains("no-such-tessdata"), qPrintable(reading.text));
    }
};

QTEST_MAIN(tst_TesseractReader)
#include "tst_TesseractReader.moc"
