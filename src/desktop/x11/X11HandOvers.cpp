#include "X11HandOvers.h"

#include "X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

std::unique_ptr<X11HandOvers> X11HandOvers::take(Display* display)
{
    const Atom manager = XInternAtom(display, "CLIPBOARD_MANAGER", False);
    if (XGetSelectionOwner(display, manager) != None)
        return nullptr;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, manager, window, CurrentTime);
    if (XGetSelectionOwner(display, manager) != window) {
        XDestroyWindow(display, window);
        return nullptr;
    }
    return std::unique_ptr<X11HandOvers>(new X11HandOvers(display, window));
}

X11HandOvers::X11HandOvers(Display* display, unsigned long window)
    : m_display(display)
    , m_window(window)
    , m_manager(XInternAtom(display, "CLIPBOARD_MANAGER", False))
    , m_saveTargets(XInternAtom(display, "SAVE_TARGETS", False))
    , m_targets(XInternAtom(display, "TARGETS", False))
{
}

X11HandOvers::~X11HandOvers()
{
    if (ConnectionLost(m_display))
        return;
    // Nobody is left waiting for a reader that goes.
    answerUpTo(~quint64(0));
    XDestroyWindow(m_display, m_window);
    XFlush(m_display);
}

bool X11HandOvers::handle(const XEvent& event, quint64 change)
{
    if (event.type == SelectionClear && event.xselectionclear.window == m_window) {
        m_held = false; // another manager came: it keeps the clipboards from now on
        answerUpTo(~quint64(0));
        return true;
    }
    if (event.type != SelectionRequest || event.xselectionrequest.owner != m_window)
        return false;
    const XSelectionRequestEvent& asked = event.xselectionrequest;
    const Request request{asked.requestor, asked.target,
                          asked.property == None ? asked.target : asked.property, asked.time, change};
    if (asked.selection != m_manager) {
        answer(request, None);
    } else if (asked.target == m_targets) {
        const Atom offered[] = {m_targets, m_saveTargets};
        XChangeProperty(m_display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered), 2);
        answer(request, request.property);
    } else if (asked.target == m_saveTargets && m_held) {
        m_waiting.append(request);
    } else {
        answer(request, None);
    }
    return true;
}

void X11HandOvers::answerUpTo(quint64 read)
{
    // Answered with the request's own property: the hand-over is done.
    for (qsizetype n = 0; n < m_waiting.size();) {
        if (m_waiting.at(n).change > read) {
            ++n;
            continue;
        }
        const Request request = m_waiting.takeAt(n);
        answer(request, request.property);
    }
}

void X11HandOvers::answer(const Request& request, unsigned long property)
{
    XSelectionEvent event{};
    event.type = SelectionNotify;
    event.requestor = request.requestor;
    event.selection = m_manager;
    event.target = request.target;
    event.property = property;
    event.time = request.time;
    XSendEvent(m_display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&event));
    XFlush(m_display);
}
