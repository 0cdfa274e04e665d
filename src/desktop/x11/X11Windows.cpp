#include "X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <mutex>
#include <set>

XWindow ActiveWindow(Display* display, Window root)
{
    const Atom property = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    if (property != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, root, property, 0, 1, False, XA_WINDOW, &type, &format, &count,
                               &after, &data) == Success) {
            const bool kept = type == XA_WINDOW && format == 32;
            Window window = None;
            if (data && kept && count == 1)
                window = *reinterpret_cast<Window*>(data);
            if (data)
                XFree(data);
            if (kept)
                return window;
        }
    }
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    return focus == PointerRoot ? None : focus;
}

XWindow ParentWindow(Display* display, Window window)
{
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return None;
    if (children)
        XFree(children);
    return parent;
}

namespace {

// The connections that broke. Kept to the end of the process, so that no other connection gets
// the address of one, and reachable, as they are never closed. Never destroyed: a reading thread
// may note its broken connection while the window's thread runs the exit handlers.
std::mutex g_lostMutex;
std::set<Display*>& lostConnections()
{
    static auto* lost = new std::set<Display*>;
    return *lost;
}

} // namespace

void KeepProcessOnConnectionLoss(_XDisplay* display, std::atomic_bool* lost)
{
    // The handler for every connection ends the process itself unless it returns; returning
    // leaves it to each connection's exit handler, which for the window's connection still ends
    // the program.
    XSetIOErrorHandler([](Display*) { return 0; });
    XSetIOErrorExitHandler(
        display,
        [](Display* broken, void* flag) {
            {
                const std::lock_guard lock(g_lostMutex);
                lostConnections().insert(broken);
            }
            if (flag)
                static_cast<std::atomic_bool*>(flag)->store(true);
        },
        lost);
}

bool ConnectionLost(_XDisplay* display)
{
    const std::lock_guard lock(g_lostMutex);
    return lostConnections().count(display) > 0;
}

void CloseConnection(_XDisplay* display)
{
    if (!ConnectionLost(display))
        XCloseDisplay(display);
}
