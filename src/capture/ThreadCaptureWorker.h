#pragma once

#include "CaptureWorker.h"

#include <QObject>
#include <QThreadPool>

/// Files pictures on a thread of its own; lives on the thread its results go back to.
class ThreadCaptureWorker final : public QObject, public CaptureWorker
{
public:
    ThreadCaptureWorker();
    ~ThreadCaptureWorker() override;

    void file(ScreenshotJob job, QObject* receiver,
              std::function<void(const ScreenshotResult&)> done) override;

private:
    QThreadPool m_pool;
};
