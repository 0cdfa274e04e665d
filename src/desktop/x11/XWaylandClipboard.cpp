#include "XWaylandClipboard.h"

#include "X11Windows.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

std::unique_ptr<XWaylandClipboard> XWaylandClipboard::open()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    std::unique_ptr<XWaylandClipboard> clipboard(new XWaylandClipboard(display));
    KeepProcessOnConnectionLoss(display, &clipboard->m_lost);
    int errorBase = 0;
    if (!XFixesQueryExtension(display, &clipboard->m_eventBase, &errorBase))
        return nullptr;
    XFixesSelectSelectionInput(display, DefaultRootWindow(display), clipboard->m_clipboard,
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
    XSync(display, False);
    // The notices are taken as they come, so that none piles up between two looks.
    clipboard->m_notifier =
        std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read);
    QObject::connect(clipboard->m_notifier.get(), &QSocketNotifier::activated, clipboard->m_notifier.get(),
                     [raw = clipboard.get()] { raw->readEvents(); });
    return clipboard;
}

XWaylandClipboard::XWaylandClipboard(Display* display)
    : m_display(display)
    , m_clipboard(XInternAtom(display, "CLIPBOARD", False))
{
}

XWaylandClipboard::~XWaylandClipboard()
{
    m_notifier.reset();
    CloseConnection(m_display);
}

void XWaylandClipboard::readEvents()
{
    if (m_lost) {
        m_notifier->setEnabled(false);
        return;
    }
    while (!m_lost && XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != m_eventBase + XFixesSelectionNotify)
            continue;
        const auto& told = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
        m_takenAt = told.owner == None ? 0 : told.selection_timestamp;
    }
}

unsigned long XWaylandClipboard::takenAt()
{
    if (m_lost)
        return 0;
    // Whatever the server told before this moment has arrived after a round trip: the copy the
    // compositor passed on has been told here before the compositor heard of it.
    XSync(m_display, False);
    readEvents();
    return m_takenAt;
}

void XWaylandClipboard::emptyAsOf(unsigned long time)
{
    if (m_lost || time == 0)
        return;
    XSetSelectionOwner(m_display, m_clipboard, None, time);
    XFlush(m_display);
}
