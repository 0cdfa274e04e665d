#pragma once

#include <QtGlobal>
#include <chrono>

/// How long another program may stay silent in the middle of sending the clipboard's content,
/// and how much it may send: more than any screenshot, and no more than the image readers
/// take.
struct TransferLimits
{
    std::chrono::milliseconds silence{5000};
    qsizetype largest = qsizetype(256) * 1024 * 1024;
};
