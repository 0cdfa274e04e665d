#include "QtSound.h"

#include <QSoundEffect>
#include <QUrl>

QtSound::QtSound() = default;

QtSound::~QtSound()
{
    qDeleteAll(m_effects);
}

void QtSound::play(const QString& path)
{
    QSoundEffect*& effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
    }
    // A file that cannot be decoded or a missing audio device leaves the effect in its error
    // state; playing it then does nothing, which is the silence wanted.
    effect->play();
}
