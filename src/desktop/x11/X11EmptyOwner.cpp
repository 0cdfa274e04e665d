#include "X11EmptyOwner.h"

#include "X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

const char* const stopMessage = "VISTRELLE_EMPTY_OWNER_STOP";
const char* const takeMessage = "VISTRELLE_EMPTY_OWNER_TAKE";

} // namespace

std::unique_ptr<X11EmptyOwner> X11EmptyOwner::open(const char* displayName)
{
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    XSync(display, False);
    std::unique_ptr<X11EmptyOwner> owner(new X11EmptyOwner(display, window));
    KeepProcessOnConnectionLoss(display, &owner->m_lost);
    owner->m_thread = std::thread([raw = owner.get()] { raw->serve(); });
    return owner;
}

X11EmptyOwner::X11EmptyOwner(Display* display, unsigned long window)
    : m_display(display)
    , m_window(window)
{
}

void X11EmptyOwner::tell(Display* display, const char* what, unsigned long time)
{
    // The serving thread waits for events of its own connection: a message to its window is
    // one, whoever sends it.
    XClientMessageEvent message{};
    message.type = ClientMessage;
    message.window = m_window;
    message.message_type = XInternAtom(display, what, False);
    message.format = 32;
    message.data.l[0] = static_cast<long>(time);
    XSendEvent(display, m_window, False, NoEventMask, reinterpret_cast<XEvent*>(&message));
    XFlush(display);
}

void X11EmptyOwner::takeAsOf(Display* display, unsigned long time)
{
    tell(display, takeMessage, time);
}

X11EmptyOwner::~X11EmptyOwner()
{
    if (ConnectionLost(m_display)) {
        m_thread.join(); // it has stopped, or stops at the broken connection
        return;
    }
    if (Display* waker = XOpenDisplay(DisplayString(m_display))) {
        KeepProcessOnConnectionLoss(waker);
        tell(waker, stopMessage, CurrentTime);
        XCloseDisplay(waker);
        m_thread.join();
    } else {
        m_thread.detach(); // the server is gone, and with it the thread's connection
        return;
    }
    XDestroyWindow(m_display, m_window);
    CloseConnection(m_display);
}

void X11EmptyOwner::serve()
{
    const Atom stop = XInternAtom(m_display, stopMessage, False);
    const Atom take = XInternAtom(m_display, takeMessage, False);
    const Atom clipboard = XInternAtom(m_display, "CLIPBOARD", False);
    const Atom targets = XInternAtom(m_display, "TARGETS", False);
    const Atom timestamp = XInternAtom(m_display, "TIMESTAMP", False);
    for (;;) {
        XEvent event{};
        XNextEvent(m_display, &event);
        if (m_lost)
            return;
        if (event.type == ClientMessage && event.xclient.message_type == stop)
            return;
        if (event.type == ClientMessage && event.xclient.message_type == take) {
            XSetSelectionOwner(m_display, clipboard, m_window, static_cast<Time>(event.xclient.data.l[0]));
            XFlush(m_display);
            continue;
        }
        if (event.type != SelectionRequest)
            continue;
        const XSelectionRequestEvent& asked = event.xselectionrequest;
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.requestor = asked.requestor;
        reply.selection = asked.selection;
        reply.target = asked.target;
        reply.time = asked.time;
        reply.property = None;
        const Atom property = asked.property != None ? asked.property : asked.target;
        // The empty clipboard names no target at all: GNOME hands the X11 clipboard's targets on
        // to Wayland programs as the types on offer, so naming the targets every owner has
        // (TARGETS, TIMESTAMP) left a clipboard that offers those two. Anything asked for is
        // refused, but the time it was taken.
        if (asked.target == targets) {
            XChangeProperty(m_display, asked.requestor, property, XA_ATOM, 32, PropModeReplace, nullptr, 0);
            reply.property = property;
        } else if (asked.target == timestamp) {
            const long since = static_cast<long>(asked.time);
            XChangeProperty(m_display, asked.requestor, property, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&since), 1);
            reply.property = property;
        }
        XSendEvent(m_display, asked.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
        XFlush(m_display);
    }
}
