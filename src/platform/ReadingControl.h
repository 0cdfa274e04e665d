#pragma once

#include <atomic>
#include <chrono>

/// What the reading of a picture is told while it goes on: to give it up, or to wait a while
/// for other work. Told and asked from any thread at any moment, without a lock, so that no
/// thread ever waits for the one reading.
class ReadingControl
{
public:
    using Clock = std::chrono::steady_clock;

    /// The picture being read is given up, and so is every one after, until set back.
    void setStopping(bool stopping) { m_stopping = stopping; }
    /// The picture being read is given up for one wanted sooner; set back before the next.
    void setGivingWay(bool givingWay) { m_givingWay = givingWay; }
    bool stopping() const { return m_stopping || m_givingWay; }
    /// Holds the reading for \a time from now: it waits where it is, to go on after.
    void holdFor(Clock::duration time) { m_heldUntil = Clock::now() + time; }
    Clock::time_point heldUntil() const { return m_heldUntil; }
    bool held() const { return Clock::now() < heldUntil(); }
    /// Waits out a hold; false when the picture is to be given up.
    bool waitTurn() const;

private:
    std::atomic_bool m_stopping = false;
    std::atomic_bool m_givingWay = false;
    std::atomic<Clock::time_point> m_heldUntil{};
};
