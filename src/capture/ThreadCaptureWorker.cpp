#include "ThreadCaptureWorker.h"

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

void ThreadCaptureWorker::file(ScreenshotJob job, std::function<void(const ScreenshotResult&)> done)
{
    m_pool.start([this, job = std::move(job), done = std::move(done)] {
        ScreenshotResult result = WriteScreenshot(job);
        QMetaObject::invokeMethod(
            this, [done, result = std::move(result)] { done(result); }, Qt::QueuedConnection);
    });
}
