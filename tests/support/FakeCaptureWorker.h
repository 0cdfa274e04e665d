#pragma once

#include "capture/CaptureWorker.h"

#include <QList>
#include <functional>

/// Files pictures on the spot, or holds them until finish() when holding is set, as a worker
/// thread busy with a large picture would; holds the recovery at start the same way.
struct FakeCaptureWorker final : CaptureWorker
{
    void file(ScreenshotJob job, QObject* receiver,
              std::function<void(const ScreenshotResult&)> done) override;
    void recover(const QString& libraryRoot, quint64 spooledBefore, QObject* receiver,
                 std::function<void(const RecoveredScreenshots&)> done) override;
    void release() override
    {
        ++released;
        buffers = ScreenshotBuffers();
    }
    /// Files the oldest held picture; false when none is held.
    bool finish();

    bool holding = false;
    std::function<void()> heldRecovery;
    int released = 0;
    ScreenshotBuffers buffers; // reused from picture to picture, as the worker thread does
    std::function<void(const QString& path)> beforeWrite; // another program, as the name is chosen
    std::function<void(const ScreenshotJob& job, const ScreenshotResult& result)>
        afterWrite; // what became of it
    QList<std::pair<ScreenshotJob, std::function<void(const ScreenshotResult&)>>> held;
};
