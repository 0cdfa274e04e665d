#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QMimeDatabase>
#include <X11/Xlib.h>

namespace {

// The clipboard's name of a picture type that Qt can read, PNG first as the exact one; empty
// when none is offered. Qt looks only for the types it names after its readers ("image/tif"),
// while desktops offer registered names and their aliases ("image/tiff", "image/x-bmp").
QString readableType(const QMimeData& data)
{
    static const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    const QMimeDatabase types;
    QString chosen;
    for (const QString& offered : data.formats()) {
        if (!offered.startsWith(QLatin1String("image/")))
            continue;
        const QByteArray type = types.mimeTypeForName(offered).name().toLatin1();
        if (!readable.contains(type) && !readable.contains(offered.toLatin1()))
            continue;
        if (type == "image/png")
            return offered;
        if (chosen.isEmpty())
            chosen = offered;
    }
    return chosen;
}

} // namespace

QtClipboard::QtClipboard()
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &QtClipboard::changed);
}

void QtClipboard::changed()
{
    ++m_changes;
    m_known = false;
}

bool QtClipboard::hasImage()
{
    if (!m_known) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
        m_holdsImage = data && (data->hasImage() || !readableType(*data).isEmpty());
        m_known = true;
    }
    return m_holdsImage;
}

QImage QtClipboard::image()
{
    QImage picture = QGuiApplication::clipboard()->image(QClipboard::Clipboard);
    if (!picture.isNull())
        return picture;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!data)
        return {};
    const QString type = readableType(*data);
    if (type.isEmpty())
        return {};
    // Decoded by what the bytes are, whatever the type's name.
    return QImage::fromData(data->data(type));
}

void QtClipboard::setImage(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image, QClipboard::Clipboard);
    changed();
}

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    // Qt clears with the time of the last event it saw. A window that saw none since the
    // picture arrived (the hidden low-resource window) is refused by the X server, and the same
    // picture would be filed again at every tick; the server's own time is never refused.
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        Display* display = x11->display();
        XSetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False), None, CurrentTime);
        XFlush(display);
    }
    changed();
}
