#include "desktop/wayland/PipeWriter.h"

#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

class tst_PipeWriter : public QObject
{
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(tst_PipeWriter)
#include "tst_PipeWriter.moc"
