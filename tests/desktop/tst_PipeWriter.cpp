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
    // A picture far larger than a pipe holds arrives whole at a reader that reads slowly,
    // while the event loop runs.
    void slowReaderGetsEverything()
    {
        int ends[2];
        QVERIFY(pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0);
        QByteArray bytes(3 * 1024 * 1024, '\0');
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7 % 251);
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
        }
        ::close(ends[0]);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toBool(), true);
        QCOMPARE(received.size(), bytes.size());
        QVERIFY(received == bytes);
    }

    // A reader that goes away mid-way ends the write, not the program (SIGPIPE).
    void readerGoneEndsTheWrite()
    {
        int ends[2];
        QVERIFY(pipe2(ends, O_CLOEXEC) == 0);
        ::close(ends[0]);
        PipeWriter* writer = PipeWriter::start(ends[1], QByteArray(100000, 'x'));
        QSignalSpy ended(writer, &PipeWriter::ended);
        QVERIFY(ended.wait(5000));
        QCOMPARE(ended.first().first().toBool(), false);
        // Nothing of the held-back signal is left to reach the program later.
        sigset_t pending;
        sigpending(&pending);
        QCOMPARE(sigismember(&pending, SIGPIPE), 0);
    }
};

QTEST_GUILESS_MAIN(tst_PipeWriter)
#include "tst_PipeWriter.moc"
