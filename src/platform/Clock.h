#pragma once

#include <QDateTime>

/// The time of day and the blocking waits of the capture tick.
class Clock
{
public:
    virtual ~Clock() = default;
    /// The current local date and time.
    virtual QDateTime now() = 0;
    /// Blocks the calling thread for \a milliseconds.
    virtual void sleep(int milliseconds) = 0;
};
