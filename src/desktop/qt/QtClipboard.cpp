#include "QtClipboard.h"

#include "desktop/x11/X11ClipboardReader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <X11/Xlib.h>
#include <xcb/xcb.h>

QtClipboard::QtClipboard(Clearing clearing, TransferLimits limits)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    // What the program copies is owned by a window of Qt's, whose id is in the range the X
    // server gave Qt's connection.
    const xcb_setup_t* setup = xcb_get_setup(x11->connection());
    // Told on the reader's thread, taken up on this one, in the order told.
    X11ClipboardReader::Listener listener{
        [this](quint64 change) {
            QMetaObject::invokeMethod(
                this, [this, change] { known(change); }, Qt::QueuedConnection);
        },
        [this] { return placeForCatch(); },
        // Kept before the window takes it up: a kill meanwhile does not lose it.
        [this](const ClipboardPicture& read, quint64 place) { return caught(read, place).caught; },
        [this](const ClipboardPicture& read) {
            QMetaObject::invokeMethod(
                this, [this, read] { emit arrived(read); }, Qt::QueuedConnection);
        },
    };
    m_reader =
        X11ClipboardReader::open(DisplayString(x11->display()), clearing == Clearing::OwnsNothing, limits,
                                 {setup->resource_id_base, setup->resource_id_mask}, std::move(listener));
    if (m_reader)
        m_change = m_reader->present();
}

QtClipboard::~QtClipboard()
{
    // The reader's thread ends before the clipboard it tells goes.
    m_reader.reset();
}

void QtClipboard::known(quint64 change)
{
    if (change < m_change)
        return;
    m_change = change;
    emit changed();
}

void QtClipboard::clearIfStill(quint64 change)
{
    if (m_reader)
        m_reader->clearIfStill(change);
}

quint64 QtClipboard::offer(QMimeData* offer)
{
    QGuiApplication::clipboard()->setMimeData(offer, QClipboard::Clipboard);
    if (!m_reader)
        return 0;
    // Never read: the reader counts it as the program's own. Qt claims the clipboard as of the
    // last moment it heard of from the X server: when another program copied since, the claim
    // fails, and the clipboard stays that program's.
    const quint64 change = m_reader->own();
    if (change != 0)
        known(change);
    return change;
}
