#include "ThreadCaptureWorker.h"

#include "platform/FreedMemory.h"

#include <QPointer>

ThreadCaptureWorker::ThreadCaptureWorker()
{
    // One thread keeps the pictures in the order they were copied.
    m_pool.setMaxThreadCount(1);
    m_pool.setExpiryTimeout(-1);
}

ThreadCaptureWorker::~ThreadCaptureWorker()
{
    m_pool.waitForDone();
}

template <typename Result>
void ThreadCaptureWorker::run(std::function<Result()> work, QObject* receiver,
                              std::function<void(const Result&)> done)
{
    // The guard is read only on the receiver's thread, where it cannot change under the read:
    // a receiver deleted while the work ran gets nothing.
    auto deliver = [receiver = QPointer<QObject>(receiver), done = std::move(done)](const Result& result) {
        if (receiver)
            done(result);
    };
    m_pool.start([this, work = std::move(work), deliver = std::move(deliver)] {
        Result result = work();
        QMetaObject::invokeMethod(
            this, [deliver, result = std::move(result)] { deliver(result); }, Qt::QueuedConnection);
    });
}

void ThreadCaptureWorker::file(ScreenshotJob job, QObject* receiver,
                               std::function<void(const ScreenshotResult&)> done)
{
    run<ScreenshotResult>([this, job = std::move(job)] { return WriteScreenshot(job, m_buffers); }, receiver,
                          std::move(done));
}

void ThreadCaptureWorker::release()
{
    m_pool.start([this] {
        m_buffers = ScreenshotBuffers();
        TrimHeap();
    });
}

void ThreadCaptureWorker::recover(const QString& libraryRoot, quint64 spooledBefore, QObject* receiver,
                                  std::function<void(const RecoveredScreenshots&)> done)
{
    run<RecoveredScreenshots>(
        [libraryRoot, spooledBefore] { return RecoverScreenshots(libraryRoot, spooledBefore); }, receiver,
        std::move(done));
}
