#include "Clipboard.h"

#include <QMutexLocker>

void Clipboard::catchWith(Catcher catcher)
{
    const QMutexLocker lock(&m_catching);
    m_catcher = std::move(catcher);
}

quint64 Clipboard::placeForCatch()
{
    const QMutexLocker lock(&m_catching);
    return m_catcher.place ? m_catcher.place() : 0;
}

ClipboardPicture Clipboard::caught(ClipboardPicture picture, quint64 place)
{
    const QMutexLocker lock(&m_catching);
    if (m_catcher.keep && !picture.isNull() && picture.failure.isEmpty())
        picture.caught = m_catcher.keep(picture, place);
    return picture;
}
