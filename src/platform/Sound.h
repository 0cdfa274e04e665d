#pragma once

#include <QString>

/// Plays the program's sounds.
class Sound
{
public:
    virtual ~Sound() = default;
    /// Starts playing the WAV file at \a path and returns at once. Silence when the file cannot
    /// be played or there is no audio device.
    virtual void play(const QString& path) = 0;
};
