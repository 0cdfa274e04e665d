#pragma once

#include <atomic>
#include <memory>
#include <thread>

struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a Display

/// A window that can own the CLIPBOARD selection while offering nothing, on an X connection and
/// a thread of its own: whoever asks it what it holds (Qt in this very program, too) gets an
/// answer at once, whatever the window thread is doing. The server sends the questions to the
/// connection that took the selection, so the thread takes it, when told.
class X11EmptyOwner
{
public:
    /// An owner on the display \a displayName; null when it cannot be opened.
    static std::unique_ptr<X11EmptyOwner> open(const char* displayName);
    ~X11EmptyOwner();
    X11EmptyOwner(const X11EmptyOwner&) = delete;
    X11EmptyOwner& operator=(const X11EmptyOwner&) = delete;

    /// Tells the owner, through \a display (a connection of the calling thread), to take the
    /// clipboard as of the server time \a time: the server ignores the taking when another
    /// program took the clipboard after that moment.
    void takeAsOf(_XDisplay* display, unsigned long time);
    /// The window that owns the clipboard when this owner took it.
    unsigned long window() const { return m_window; }

private:
    X11EmptyOwner(_XDisplay* display, unsigned long window);
    void serve();
    void tell(_XDisplay* display, const char* what, unsigned long time);

    _XDisplay* m_display;
    unsigned long m_window;
    std::atomic_bool m_lost = false; // the X server went away
    std::thread m_thread;
};
