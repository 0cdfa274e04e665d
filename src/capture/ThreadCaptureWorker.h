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
    void recover(const QString& libraryRoot, quint64 spooledBefore, QObject* receiver,
                 std::function<void(const RecoveredScreenshots&)> done) override;
    void release() override;

private:
    // Runs \a work on the worker's thread and hands its result to \a done on the receiver's.
    template <typename Result>
    void run(std::function<Result()> work, QObject* receiver, std::function<void(const Result&)> done);

    QThreadPool m_pool;
    ScreenshotBuffers m_buffers; // used on the pool's one thread only
};
