#include "FakeCaptureWorker.h"

void FakeCaptureWorker::file(ScreenshotJob job, std::function<void(const ScreenshotResult&)> done)
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
    done(WriteScreenshot(job));
    return true;
}
