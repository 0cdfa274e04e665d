#include "QtClipboard.h"

#include "ImageTypes.h"
#include "desktop/x11/X11SelectionWatch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QMimeDatabase>
#include <X11/Xlib.h>

namespace {

QClipboard& clipboard()
{
    return *QGuiApplication::clipboard();
}

QStringList readableImageTypes(const QMimeData& data)
{
    return ReadableImageTypes(data.formats());
}

} // namespace

QtClipboard::QtClipboard(Clearing clearing)
{
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        m_watch = X11SelectionWatch::open(DisplayString(x11->display()), [this] { emit changed(); });
    if (m_watch && clearing == Clearing::OwnsNothing)
        m_watch->clearByOwningNothing();
    connect(&clipboard(), &QClipboard::dataChanged, this, &QtClipboard::qtChanged);
}

QtClipboard::~QtClipboard() = default;

void QtClipboard::qtChanged()
{
    // Qt may hear of a change before the watch does: bring the watch up to date first.
    if (m_watch)
        m_watch->changeNow();
    ++m_qtChanges;
    emit changed();
}

quint64 QtClipboard::changeCount()
{
    return m_watch ? m_watch->change() : m_qtChanges;
}

bool QtClipboard::hasImage()
{
    // Asked again once either the watch or Qt has heard of a change: the watch may hear of a
    // new owner before Qt has dropped what it knew of the previous one.
    const std::pair now{changeCount(), m_qtChanges};
    if (m_known != now) {
        const QMimeData* data = clipboard().mimeData(QClipboard::Clipboard);
        m_holdsImage = data && (data->hasImage() || !readableImageTypes(*data).isEmpty());
        m_known = now;
    }
    return m_holdsImage;
}

void QtClipboard::fetch(quint64 change)
{
    ClipboardPicture picture;
    picture.change = change;
    const QMimeData* data = clipboard().mimeData(QClipboard::Clipboard);
    if (!data || (m_watch ? m_watch->changeNow() : m_qtChanges) != change) {
        emit fetched(picture);
        return;
    }
    picture.follows = m_watch ? m_watch->follows() : change - 1;
    // A picture this program put there is in memory already; another program's is fetched
    // as the file bytes it offers and decoded later, away from the window, by what the bytes
    // are, whatever the type's name.
    if (!clipboard().ownsClipboard()) {
        for (const QString& type : readableImageTypes(*data)) {
            picture.bytes = data->data(type);
            if (!picture.bytes.isEmpty())
                break;
        }
    }
    if (picture.bytes.isEmpty() && data->hasImage())
        picture.image = qvariant_cast<QImage>(data->imageData());
    emit fetched(picture);
}

void QtClipboard::setImage(const QImage& image)
{
    clipboard().setImage(image, QClipboard::Clipboard);
    if (m_watch)
        m_watch->changeNow();
}

void QtClipboard::clear()
{
    clipboard().clear(QClipboard::Clipboard);
    // Qt clears with the time of the last event it saw, which the server refuses when the
    // picture arrived later; the server's own time is never refused.
    if (m_watch)
        m_watch->clearNow();
}

void QtClipboard::clearIfStill(quint64 change)
{
    if (m_watch)
        m_watch->clearAsOf(change);
    else if (m_qtChanges == change)
        clipboard().clear(QClipboard::Clipboard);
}
