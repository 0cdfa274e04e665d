#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <chrono>

/// How long another program may stay silent in the middle of sending the clipboard's content,
/// and how much it may send: more than any screenshot, and no more than the image readers
/// take.
struct TransferLimits
{
    std::chrono::milliseconds silence{5000};
    qsizetype largest = qsizetype(256) * 1024 * 1024;

    /// Makes room in \a bytes for \a more bytes, doubling as appending does but never past
    /// largest, so that a sender that goes on costs at most the limit; false, leaving \a bytes
    /// as they are, when they would pass it.
    bool makeRoom(QByteArray& bytes, qsizetype more) const
    {
        if (more > largest - bytes.size())
            return false;
        const qsizetype needed = bytes.size() + more;
        // Appending alone would double the buffer past the limit when it reaches it: 512 MB
        // held, and the copy into it, for 256 MB read.
        if (needed > bytes.capacity())
            bytes.reserve(std::min(std::max(needed, 2 * bytes.capacity()), largest));
        return true;
    }
};
