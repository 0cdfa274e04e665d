#include "FakeCaptureWorker.h"

#include <utility>

void FakeCaptureWorker::file(ScreenshotJob job, QObject*, std::function<void(const ScreenshotResult&)> done)
{
    held.append({std::move(job), std::move(done)});
    if (!holding)
        finish();
}

bool FakeCaptureWorker::finish()
{
    if (held.isEmpty())
        return false;
    auto [job, done] = held.takeFirst();
    const ScreenshotResult result = WriteScreenshot(job, buffers, beforeWrite);
    if (afterWrite)
        afterWrite(job, result);
    done(result);
    return true;
}

void FakeCaptureWorker::recover(const QString& libraryRoot, quint64 spooledBefore, QObject*,
                                std::function<void(const RecoveredScreenshots&)> done)
{
    heldRecovery = [libraryRoot, spooledBefore, done = std::move(done)] {
        done(RecoverScreenshots(libraryRoot, spooledBefore));
    };
    if (!holding)
        std::exchange(heldRecovery, nullptr)();
}
