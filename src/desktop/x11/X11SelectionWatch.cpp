#include "X11SelectionWatch.h"

#include "X11EmptyOwner.h"

#include <QSocketNotifier>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace {

Atom clipboardAtom(Display* display)
{
    return XInternAtom(display, "CLIPBOARD", False);
}

} // namespace

std::unique_ptr<X11SelectionWatch> X11SelectionWatch::open(const char* displayName,
                                                           std::function<void()> changed)
{
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        XCloseDisplay(display);
        return nullptr;
    }
    XFixesSelectSelectionInput(display, DefaultRootWindow(display), clipboardAtom(display),
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
    XSync(display, False);
    return std::unique_ptr<X11SelectionWatch>(new X11SelectionWatch(display, eventBase, std::move(changed)));
}

X11SelectionWatch::X11SelectionWatch(Display* display, int eventBase, std::function<void()> changed)
    : m_display(display)
    , m_eventBase(eventBase)
    , m_changed(std::move(changed))
    , m_notifier(std::make_unique<QSocketNotifier>(ConnectionNumber(display), QSocketNotifier::Read))
{
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
        if (readNotices() && m_changed)
            m_changed();
    });
}

X11SelectionWatch::~X11SelectionWatch()
{
    m_notifier.reset();
    m_emptyOwner.reset();
    XCloseDisplay(m_display);
}

void X11SelectionWatch::clearByOwningNothing()
{
    if (m_emptyOwner)
        return;
    m_emptyOwner = X11EmptyOwner::open(DisplayString(m_display));
    if (!m_emptyOwner)
        return;
    m_clock = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(m_display, m_clock, PropertyChangeMask);
}

unsigned long X11SelectionWatch::serverTime()
{
    // A property change is stamped with the server's time of the change.
    const Atom stamp = XInternAtom(m_display, "VISTRELLE_TIME", False);
    XChangeProperty(m_display, m_clock, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XIfEvent(
        m_display, &event,
        [](Display*, XEvent* candidate, XPointer window) {
            return Bool(candidate->type == PropertyNotify &&
                        candidate->xproperty.window == *reinterpret_cast<Window*>(window));
        },
        reinterpret_cast<XPointer>(&m_clock));
    return event.xproperty.time;
}

bool X11SelectionWatch::readNotices()
{
    bool changed = false;
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != m_eventBase + XFixesSelectionNotify)
            continue;
        ++m_change;
        changed = true;
        const auto& notice = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
        if (m_clearing || (m_emptyOwner && notice.owner == m_emptyOwner->window()))
            continue;
        m_follows = m_lastForeign;
        m_lastForeign = m_change;
    }
    return changed;
}

quint64 X11SelectionWatch::change()
{
    readNotices();
    return m_change;
}

quint64 X11SelectionWatch::changeNow()
{
    XSync(m_display, False);
    readNotices();
    return m_change;
}

void X11SelectionWatch::clearAsOf(quint64 change)
{
    if (m_emptyOwner) {
        // Under XWayland, a clipboard left without owner is not passed on to the Wayland side
        // on every desktop; one owned and offering nothing is. The owner takes it on its own
        // connection, so the server cannot be held meanwhile; it takes it as of the moment
        // before the look instead, which the server ignores when anyone took it since.
        const unsigned long before = serverTime();
        if (change != 0 && changeNow() == change)
            m_emptyOwner->takeAsOf(m_display, before);
        return;
    }
    // With the server held, no other program can take the clipboard between the look at the
    // notices and the clearing. The clearing carries the server's present time: an owner that
    // took the clipboard at an earlier moment takes it as meant for itself.
    XGrabServer(m_display);
    if (change != 0 && changeNow() == change)
        setNoOwner();
    XUngrabServer(m_display);
    XFlush(m_display);
}

void X11SelectionWatch::setNoOwner()
{
    XSetSelectionOwner(m_display, clipboardAtom(m_display), None, CurrentTime);
    // The notice of the clearing arrives on this connection too; it is read as ours at once.
    m_clearing = true;
    changeNow();
    m_clearing = false;
}

void X11SelectionWatch::clearNow()
{
    if (m_emptyOwner)
        m_emptyOwner->takeAsOf(m_display, serverTime());
    else
        setNoOwner();
    XFlush(m_display);
}
