#pragma once

#include "desktop/qt/TransferLimits.h"

#include <QByteArray>
#include <QString>
#include <QThreadPool>
#include <functional>

class QObject;

/// Reads what another program sends through a pipe, to its end, on a thread of its own, one
/// pipe after the other: a program that stops sending or sends without end costs a failure of
/// that one read, never the caller's thread.
class PipeReader
{
public:
    PipeReader();
    /// Cuts short a read under way and waits for its thread.
    ~PipeReader();
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;

    /// Done with what was read whole on the reading thread itself, before it is posted: its
    /// answer goes to done as \a kept.
    using Keep = std::function<quint64(const QByteArray& bytes)>;

    /// Takes over \a fd and reads it within \a limits; \a done gets the bytes, or why they
    /// could not be had, on the thread of \a receiver, through it, with what \a keep answered
    /// (0 without one). The receiver must outlive the reader.
    void read(int fd, TransferLimits limits, QObject* receiver,
              std::function<void(const QByteArray& bytes, const QString& failure, quint64 kept)> done,
              Keep keep = {});

private:
    QThreadPool m_pool;
    int m_cancel[2] = {-1, -1}; // written to when the reader goes
};
