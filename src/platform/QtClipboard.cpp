#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <X11/Xlib.h>

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
        m_holdsImage = data && data->hasImage();
        m_known = true;
    }
    return m_holdsImage;
}

QImage QtClipboard::image()
{
    return QGuiApplication::clipboard()->image(QClipboard::Clipboard);
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
