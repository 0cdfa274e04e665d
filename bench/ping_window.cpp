// Helper of bench_capture: "ping_window WINDOW SECONDS" asks the window WINDOW (an X11 id)
// whether its program is alive, as a window manager does (_NET_WM_PING), every 20 ms for
// SECONDS, each once the one before was answered, and prints the median and the worst time to
// the answer in milliseconds, and how many were sent (a window that answers none within 10 s
// ends the run).
#include <X11/Xlib.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const double seconds = std::atof(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const Window root = DefaultRootWindow(display);
    // The answer goes to the root window, to whoever listens to its own notices.
    XSelectInput(display, root, StructureNotifyMask);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);

    std::vector<double> answers;
    const Clock::time_point began = Clock::now();
    long serial = 0;
    while (millisecondsSince(began) < seconds * 1000) {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(ping);
        event.xclient.data.l[1] = ++serial;
        event.xclient.data.l[2] = static_cast<long>(window);
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
        const Clock::time_point sent = Clock::now();
        bool answered = false;
        while (!answered && millisecondsSince(sent) < 10000) {
            if (!XPending(display)) {
                pollfd wait{ConnectionNumber(display), POLLIN, 0};
                poll(&wait, 1, 10);
                continue;
            }
            XNextEvent(display, &event);
            answered = event.type == ClientMessage && event.xclient.data.l[0] == static_cast<long>(ping) &&
                       event.xclient.data.l[1] == serial;
        }
        answers.push_back(millisecondsSince(sent));
        if (!answered)
            break;
        const double left = 20 - millisecondsSince(sent);
        if (left > 0)
            poll(nullptr, 0, static_cast<int>(left));
    }
    std::sort(answers.begin(), answers.end());
    std::printf("%.1f %.1f %zu\n", answers[answers.size() / 2], answers.back(), answers.size());
    XCloseDisplay(display);
    return 0;
}
