#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>

class QSocketNotifier;

/// Writes bytes into a pipe or socket another program reads, a piece whenever it has room,
/// without stopping the event loop, then closes it. A reader that goes away early ends the
/// write; it never ends this program.
class PipeWriter final : public QObject
{
    Q_OBJECT

public:
    /// Takes over \a fd and starts writing; the writer deletes itself once the write has ended.
    static PipeWriter* start(int fd, QByteArray bytes);

    /// Writes what \a fd takes now, without blocking; the count written, or -1 when the
    /// reader has gone (or another error ended the write). No SIGPIPE reaches the program.
    static qint64 writeSome(int fd, const char* data, qint64 size);

signals:
    /// The write ended: \a complete when every byte was written.
    void ended(bool complete);

private:
    PipeWriter(int fd, QByteArray bytes);
    ~PipeWriter() override;
    void writeMore();
    void finish(bool complete);

    int m_fd;
    QByteArray m_bytes;
    qint64 m_written = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
