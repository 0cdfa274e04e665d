#include "desktop/wayland/PipeReader.h"

#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

// What another program sends through the data-control pipe: read whole up to the limit, in
// room that never grows past it; a sender that goes silent or past the limit is one failure.
class tst_PipeReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { std::signal(SIGPIPE, SIG_IGN); } // the sender past the limit writes on

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
                        [&](const QByteArray& read, const QString& readFailure) {
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
};

QTEST_GUILESS_MAIN(tst_PipeReader)
#include "tst_PipeReader.moc"
