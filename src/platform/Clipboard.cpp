#include "Clipboard.h"

#include <QMutexLocker>

void Clipboard::catchWith(Catcher catcher)
{
    const QMutexLocker lock(&m_catching);
    m_catcher = std::move(catcher);
}

ClipboardPicture Clipboard::caught(ClipboardPicture picture)
{
    const QMutexLocker lock(&m_catching);
    if (m_catcher && !picture.isNull() && picture.failure.isEmpty())
        picture.caught = m_catcher(picture);
    return picture;
}
