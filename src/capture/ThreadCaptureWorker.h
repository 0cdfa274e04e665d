#pragma once

#include "CaptureWorker.h"

#include <QObject>
#include <QThreadPool>

/// Files pictures on a thread of its own.
class ThreadCaptureWorker final : public QObject, public CaptureWorker
{
public:
    ThreadCaptureWorker();
    ~ThreadCaptureWorker() override;

    void file(ScreenshotJob job, std::function<void(const ScreenshotResult&)> done) override;

private:
    QThreadPool m_pool;
};
