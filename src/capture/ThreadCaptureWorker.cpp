#include "ThreadCaptureWorker.h"

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

void ThreadCaptureWorker::file(ScreenshotJob job, QObject* receiver,
                               std::function<void(const ScreenshotResult&)> done)
{
    // The guard is read only on the receiver's thread, where it cannot change under the read:
    // a receiver deleted while its picture was filed gets nothing.
    auto deliver = [receiver = QPointer<QObject>(receiver),
                    done = std::move(done)](const ScreenshotResult& result) {
        if (receiver)
            done(result);
    };
    m_pool.start([this, job = std::move(job), deliver = std::move(deliver)] {
        ScreenshotResult result = WriteScreenshot(job);
        QMetaObject::invokeMethod(
            this, [deliver, result = std::move(result)] { deliver(result); }, Qt::QueuedConnection);
    });
}
