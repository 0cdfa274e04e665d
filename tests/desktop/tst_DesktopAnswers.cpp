#include "desktop/qt/ImageTypes.h"
#include "desktop/wayland/PipeReader.h"
#include "desktop/wayland/PipeWriter.h"
#include "desktop/wayland/WlrootsScreenGrab.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

Q_DECLARE_METATYPE(std::optional<FocusedWindow>)

// What the desktop adapters make of what the desktop tells them: which of the types a clipboard
// offers are fetched and in which order, the focused window's place in the compositor's layout
// tree; and what goes through the data-control pipe: what another program sends read whole up to
// the limit, in room that never grows past it (a sender that goes silent or past the limit is one
// failure), and what the program sends arriving whole.
class tst_DesktopAnswers : public QObject
{
    Q_OBJECT

private slots:
    void readable_data()
    {
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QStringList>("fetched");
        QTest::newRow("PNG first") << QStringList{"image/bmp", "text/plain", "image/png"}
                                   << QStringList{"image/png", "image/bmp"};
        QTest::newRow("aliases of what Qt reads")
            << QStringList{"image/x-bmp", "image/pjpeg", "image/x-portable-pixmap"}
            << QStringList{"image/x-bmp", "image/pjpeg", "image/x-portable-pixmap"};
        QTest::newRow("no reader for it")
            << QStringList{"image/x-made-up", "application/pdf"} << QStringList();
        QTest::newRow("offered twice")
            << QStringList{"image/jpeg", "image/jpeg"} << QStringList{"image/jpeg"};
    }

    void readable()
    {
        QFETCH(QStringList, offered);
        QFETCH(QStringList, fetched);
        QCOMPARE(ReadableImageTypes(offered), fetched);
    }

    void focusedWindow_data()
    {
        QTest::addColumn<QByteArray>("tree");
        QTest::addColumn<std::optional<FocusedWindow>>("focused");
        // sway's layout tree: i3's own output, a tiled (1) and a floating window (2) on the first
        // output, one on the second (3); %1 to %3 whether each is focused.
        const QString layout = R"({"type":"root","nodes":[
            {"type":"output","name":"__i3","rect":{"x":0,"y":0,"width":0,"height":0},"nodes":[]},
            {"type":"output","name":"LEFT","rect":{"x":0,"y":0,"width":1280,"height":720},"nodes":[
             {"type":"workspace","rect":{"x":0,"y":0,"width":1280,"height":720},"nodes":[
              {"type":"con","focused":%1,"rect":{"x":640,"y":27,"width":640,"height":693},
               "window_rect":{"x":2,"y":0,"width":636,"height":691},"nodes":[]}],"floating_nodes":[
              {"type":"floating_con","focused":%2,"rect":{"x":100,"y":50,"width":400,"height":300},
               "window_rect":{"x":2,"y":25,"width":396,"height":273},"nodes":[]}]}]},
            {"type":"output","name":"RIGHT","rect":{"x":1280,"y":0,"width":1920,"height":1080},"nodes":[
             {"type":"workspace","rect":{"x":1280,"y":0,"width":1920,"height":1080},"nodes":[
              {"type":"con","focused":%3,"rect":{"x":1290,"y":40,"width":800,"height":600},
               "window_rect":{"x":0,"y":0,"width":800,"height":600},"nodes":[]}]}]}]})";
        const auto tree = [&](int focused) {
            const auto is = [focused](int n) { return QString(n == focused ? "true" : "false"); };
            return layout.arg(is(1), is(2), is(3)).toUtf8();
        };
        QTest::newRow("tiled, content below the title")
            << tree(1) << std::optional(FocusedWindow{"LEFT", QRect(642, 27, 636, 691)});
        QTest::newRow("floating") << tree(2)
                                  << std::optional(FocusedWindow{"LEFT", QRect(102, 75, 396, 273)});
        QTest::newRow("on the second output, in its own coordinates")
            << tree(3) << std::optional(FocusedWindow{"RIGHT", QRect(10, 40, 800, 600)});
        QTest::newRow("an empty workspace focused") << tree(0) << std::optional<FocusedWindow>();
        QTest::newRow("no answer") << QByteArray() << std::optional<FocusedWindow>();
    }

    void focusedWindow()
    {
        QFETCH(QByteArray, tree);
        QFETCH(std::optional<FocusedWindow>, focused);
        QCOMPARE(FocusedWindowInTree(tree), focused);
    }

    void read_data()
    {
        QTest::addColumn<qsizetype>("sent"); // -1: without end
        QTest::addColumn<bool>("closes");    // the sender closes its end once it has sent
        QTest::addColumn<QString>("failure");
        QTest::newRow("the limit exactly") << qsizetype(1 << 20) << true << QString();
        QTest::newRow("silent")
            << qsizetype(1000) << false
            << "The program that offered the picture on the clipboard stopped sending it.";
        QTest::newRow("without end") << qsizetype(-1) << true
                                     << "The picture on the clipboard is larger than 1 MB.";
    }

    void read()
    {
        QFETCH(qsizetype, sent);
        QFETCH(bool, closes);
        QFETCH(QString, failure);
        // The sender past the limit writes on; the program's own writes are the write test's.
        const auto restore =
            qScopeGuard([ignored = std::signal(SIGPIPE, SIG_IGN)] { std::signal(SIGPIPE, ignored); });
        int ends[2];
        QVERIFY(pipe2(ends, O_CLOEXEC) == 0);
        // The pattern's length is no divisor of a read's: a piece out of place or twice shows.
        const QByteArray piece = QByteArray("A picture through a pipe. ").repeated(1000);
        std::thread sender([&] {
            qsizetype left = sent < 0 ? std::numeric_limits<qsizetype>::max() : sent;
            for (qsizetype at = 0; left > 0;) {
                const qsizetype part = std::min(left, piece.size() - at);
                const ssize_t written = ::write(ends[1], piece.constData() + at, size_t(part));
                if (written <= 0)
                    break;
                left -= written;
                at = (at + written) % piece.size();
            }
            if (closes)
                ::close(std::exchange(ends[1], -1));
        });
        QByteArray bytes;
        QString why;
        bool done = false;
        {
            PipeReader reader;
            reader.read(ends[0], {std::chrono::milliseconds(500), 1 << 20}, this,
                        [&](const QByteArray& read, const QString& readFailure, quint64) {
                            bytes = read, why = readFailure, done = true;
                        });
            QTRY_VERIFY_WITH_TIMEOUT(done, 20000);
        }
        sender.join();
        if (ends[1] >= 0)
            ::close(ends[1]);
        QCOMPARE(why, failure);
        QCOMPARE(bytes, failure.isEmpty() ? piece.repeated(int(sent / piece.size() + 1)).left(sent) : "");
        QVERIFY2(bytes.capacity() <= 1 << 20, qPrintable(QString::number(bytes.capacity())));
    }

    void write_data()
    {
        QTest::addColumn<bool>("readerStays");
        QTest::newRow("slow reader") << true;
        QTest::newRow("reader gone mid-way") << false;
    }

    // A picture far larger than a pipe holds arrives whole at a reader that reads slowly, while
    // the event loop runs; a reader that goes away mid-way ends the write, not the program
    // (SIGPIPE).
    void write()
    {
        QFETCH(bool, readerStays);
        int ends[2];
        QVERIFY(pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0);
        // 3.1 MB, a piece out of place or twice shows: the pattern's length is no divisor of a page's.
        const QByteArray bytes = QByteArray("Pictures pass through the pipe.").repeated(100000);
        PipeWriter* writer = PipeWriter::start(ends[1], bytes);
        QSignalSpy ended(writer, &PipeWriter::ended);
        QByteArray received;
        char chunk[4096];
        QElapsedTimer clock;
        clock.start();
        // Read on until the writer has ended and the pipe is empty.
        for (ssize_t count = 1; (ended.isEmpty() && clock.elapsed() < 20000) || count > 0;) {
            QCoreApplication::processEvents();
            count = ::read(ends[0], chunk, sizeof chunk);
            if (count > 0)
                received.append(chunk, count);
            if (count > 0 && !readerStays)
                ::close(std::exchange(ends[0], -1));
        }
        ::close(ends[0]);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toBool(), readerStays);
        QCOMPARE(received, bytes.left(readerStays ? bytes.size() : received.size()));
        // Nothing of the held-back signal is left to reach the program later.
        sigset_t pending;
        sigpending(&pending);
        QCOMPARE(sigismember(&pending, SIGPIPE), 0);
    }
};

QTEST_GUILESS_MAIN(tst_DesktopAnswers)
#include "tst_DesktopAnswers.moc"
