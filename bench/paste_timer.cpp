// Helper of bench_copyback: "paste_timer FILE COMMAND [ARGUMENT...]" starts COMMAND, which puts
// the PNG file FILE on the clipboard one way or another, and pastes image/png as another program
// does from the first owner that takes the clipboard after the start (INCR included); prints the
// milliseconds from the start to the last byte pasted. Ends with 1 when the bytes pasted are not
// FILE's, 2 when nothing was pasted within 20 s.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Waits until \a display has an event that \a wanted takes, or the deadline passes.
bool nextEvent(Display* display, XEvent& event, Clock::time_point deadline,
               bool (*wanted)(const XEvent&, void*), void* context)
{
    for (;;) {
        while (XPending(display) > 0) {
            XNextEvent(display, &event);
            if (wanted(event, context))
                return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd wait{ConnectionNumber(display), POLLIN, 0};
        ::poll(&wait, 1, static_cast<int>(left.count()));
    }
}

// The whole of \a property on \a window, deleted once read; \a type is set to its type.
std::string takeProperty(Display* display, Window window, Atom property, Atom& type)
{
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, property, 0, 0x1fffffff, True, AnyPropertyType, &type, &format,
                       &items, &after, &data);
    std::string bytes;
    if (data) {
        bytes.assign(reinterpret_cast<const char*>(data), items * static_cast<unsigned long>(format / 8));
        XFree(data);
    }
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3)
        return 3;
    std::ifstream file(argv[1], std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    Display* display = XOpenDisplay(nullptr);
    int eventBase = 0, errorBase = 0;
    if (!display || expected.empty() || !XFixesQueryExtension(display, &eventBase, &errorBase))
        return 3;
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom png = XInternAtom(display, "image/png", False);
    const Atom incr = XInternAtom(display, "INCR", False);
    const Atom property = XInternAtom(display, "PASTED", False);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    XFixesSelectSelectionInput(display, DefaultRootWindow(display), clipboard,
                               XFixesSetSelectionOwnerNotifyMask);
    XSync(display, False);
    // The command is not waited for: xclip stays behind as the owner, away from the output a
    // caller may wait on.
    std::signal(SIGCHLD, SIG_IGN);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = Clock::now();
    const auto deadline = start + std::chrono::seconds(20);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[2], &quiet, nullptr, argv + 2, environ) != 0)
        return 3;
    XEvent event;
    const int notify = eventBase + XFixesSelectionNotify;
    auto ownerTaken = [](const XEvent& candidate, void* type) {
        return candidate.type == *static_cast<const int*>(type) &&
               reinterpret_cast<const XFixesSelectionNotifyEvent&>(candidate).owner != None;
    };
    if (!nextEvent(display, event, deadline, ownerTaken, const_cast<int*>(&notify)))
        return 2;
    const Time owned = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event).selection_timestamp;
    XConvertSelection(display, clipboard, png, property, window, owned);
    auto answered = [](const XEvent& candidate, void*) { return candidate.type == SelectionNotify; };
    if (!nextEvent(display, event, deadline, answered, nullptr) || event.xselection.property == None)
        return 2;
    Atom type = None;
    std::string pasted = takeProperty(display, window, property, type);
    if (type == incr) {
        // The piece is there once the property is new again; an empty piece ends the transfer.
        auto newPiece = [](const XEvent& candidate, void* atom) {
            return candidate.type == PropertyNotify && candidate.xproperty.state == PropertyNewValue &&
                   candidate.xproperty.atom == *static_cast<Atom*>(atom);
        };
        pasted.clear();
        for (;;) {
            if (!nextEvent(display, event, deadline, newPiece, const_cast<Atom*>(&property)))
                return 2;
            const std::string piece = takeProperty(display, window, property, type);
            if (piece.empty())
                break;
            pasted += piece;
        }
    }
    const double milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    XCloseDisplay(display);
    if (pasted != expected)
        return 1;
    std::printf("%.1f\n", milliseconds);
    return 0;
}
