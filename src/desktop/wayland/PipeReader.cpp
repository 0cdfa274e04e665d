#include "PipeReader.h"

#include "platform/FreedMemory.h"

#include <QCoreApplication>
#include <QObject>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// The bytes of \a fd to its end; \a failure says why not.
QByteArray readToEnd(int fd, int cancel, TransferLimits limits, QString& failure)
{
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        pollfd waits[2] = {{fd, POLLIN, 0}, {cancel, POLLIN, 0}};
        const int ready = ::poll(waits, 2, static_cast<int>(limits.silence.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || waits[1].revents != 0)
            return {};
        if (ready == 0) {
            failure = QCoreApplication::translate(
                "PipeReader", "The program that offered the picture on the clipboard stopped sending it.");
            return {};
        }
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count == 0 ? bytes : QByteArray();
        if (!limits.makeRoom(bytes, count)) {
            failure = QCoreApplication::translate("PipeReader",
                                                  "The picture on the clipboard is larger than %1 MB.")
                          .arg(limits.largest >> 20);
            return {};
        }
        bytes.append(chunk, count);
    }
}

} // namespace

PipeReader::PipeReader()
{
    m_pool.setMaxThreadCount(1);
    if (pipe2(m_cancel, O_CLOEXEC) != 0)
        m_cancel[0] = m_cancel[1] = -1;
}

PipeReader::~PipeReader()
{
    if (m_cancel[1] >= 0)
        ::close(m_cancel[1]); // every poll on the other end wakes
    m_pool.waitForDone();
    if (m_cancel[0] >= 0)
        ::close(m_cancel[0]);
}

void PipeReader::read(int fd, TransferLimits limits, QObject* receiver,
                      std::function<void(const QByteArray& bytes, const QString& failure, quint64 kept)> done,
                      Keep keep)
{
    m_pool.start(
        [fd, cancel = m_cancel[0], limits, receiver, done = std::move(done), keep = std::move(keep)] {
            QString failure;
            QByteArray bytes = readToEnd(fd, cancel, limits, failure);
            ::close(fd);
            if (!failure.isEmpty())
                TrimHeap(); // what an endless sender took goes back at once
            const quint64 kept = keep && failure.isEmpty() && !bytes.isEmpty() ? keep(bytes) : 0;
            // Posted to the receiver itself, which lives while this runs (its reader waits for
            // this thread as it goes); what is still posted when the receiver goes goes with it.
            QMetaObject::invokeMethod(
                receiver, [done, bytes = std::move(bytes), failure, kept] { done(bytes, failure, kept); },
                Qt::QueuedConnection);
        });
}
