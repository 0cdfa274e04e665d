#pragma once

#include "ScreenshotWriter.h"

#include <QStringList>
#include <functional>

class QObject;

/// Where pictures are filed, away from the window: jobs run one after the other in the order
/// given, and each result comes back on the thread of \a receiver, through \a receiver: once
/// the receiver is gone, its results are dropped.
class CaptureWorker
{
public:
    virtual ~CaptureWorker() = default;
    virtual void file(ScreenshotJob job, QObject* receiver,
                      std::function<void(const ScreenshotResult&)> done) = 0;
    /// Recovers what killed captures left in the Image Sets of the library at \a libraryRoot, and
    /// in its spool before \a spooledBefore (RecoverScreenshots), in turn with the pictures to
    /// file; \a done gets what was found.
    virtual void recover(const QString& libraryRoot, quint64 spooledBefore, QObject* receiver,
                         std::function<void(const RecoveredScreenshots&)> done) = 0;
    /// Gives back the buffers kept for the next picture, and the heap's free pages with them:
    /// once a burst of pictures is over.
    virtual void release() = 0;
};
