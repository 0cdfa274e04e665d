#pragma once

#include "platform/Sound.h"

#include <QHash>
#include <memory>

class QSoundEffect;

/// WAV playback through QSoundEffect; each sound is loaded when it is first played.
class QtSound final : public Sound
{
public:
    QtSound();
    ~QtSound() override;
    void play(const QString& path) override;

private:
    QHash<QString, QSoundEffect*> m_effects;
};
