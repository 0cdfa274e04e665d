#include "PipeWriter.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

PipeWriter* PipeWriter::start(int fd, QByteArray bytes)
{
    auto* writer = new PipeWriter(fd, std::move(bytes));
    // Queued, so that whoever started it can hear the end of even a short write.
    QMetaObject::invokeMethod(writer, &PipeWriter::writeMore, Qt::QueuedConnection);
    return writer;
}

qint64 PipeWriter::writeSome(int fd, const char* data, qint64 size)
{
    // A pipe whose reader has closed raises SIGPIPE, which would end the program: it is held
    // back for this thread during the write and taken away if the write raised it.
    sigset_t pipeOnly;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    const bool wasPending = sigismember(&pendingBefore, SIGPIPE) == 1;
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &previous);
    ssize_t written = 0;
    do
        written = ::write(fd, data, static_cast<size_t>(size));
    while (written < 0 && errno == EINTR);
    const int error = errno;
    if (written < 0 && error == EPIPE && !wasPending) {
        const timespec now{0, 0};
        while (sigtimedwait(&pipeOnly, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (written >= 0)
        return written;
    return error == EAGAIN || error == EWOULDBLOCK ? 0 : -1;
}

PipeWriter::PipeWriter(int fd, QByteArray bytes)
    : m_fd(fd)
    , m_bytes(std::move(bytes))
{
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Write);
    m_notifier->setEnabled(false);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PipeWriter::writeMore);
}

PipeWriter::~PipeWriter()
{
    m_notifier.reset();
    ::close(m_fd);
}

void PipeWriter::writeMore()
{
    while (m_written < m_bytes.size()) {
        const qint64 written = writeSome(m_fd, m_bytes.constData() + m_written, m_bytes.size() - m_written);
        if (written < 0)
            return finish(false);
        if (written == 0) {
            // The reader is slower than the writer: go on when it has read some.
            m_notifier->setEnabled(true);
            return;
        }
        m_written += written;
    }
    finish(true);
}

void PipeWriter::finish(bool complete)
{
    m_notifier->setEnabled(false);
    emit ended(complete);
    deleteLater();
}
