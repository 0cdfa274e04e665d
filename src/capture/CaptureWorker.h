#pragma once

#include "ScreenshotWriter.h"

#include <functional>

/// Where pictures are filed, away from the window: jobs run one after the other in the order
/// given, and each result comes back on the thread that gave the job.
class CaptureWorker
{
public:
    virtual ~CaptureWorker() = default;
    virtual void file(ScreenshotJob job, std::function<void(const ScreenshotResult&)> done) = 0;
};
