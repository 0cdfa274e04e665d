#pragma once

#include <QSocketNotifier>
#include <atomic>
#include <memory>

struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a Display

/// The X11 clipboard of the XWayland beside a Wayland desktop's own clipboard. The compositor
/// passes an X11 program's copy on to Wayland programs, but emptying the Wayland side leaves
/// the X11 program owning it, still offering the picture to X11 programs: it is emptied here
/// too, only while nobody took it since.
class XWaylandClipboard
{
public:
    /// The clipboard of the X display the environment names; null when there is none.
    static std::unique_ptr<XWaylandClipboard> open();
    ~XWaylandClipboard();
    XWaylandClipboard(const XWaylandClipboard&) = delete;
    XWaylandClipboard& operator=(const XWaylandClipboard&) = delete;

    /// The server time at which the present owner took the clipboard; 0 when it is empty, or
    /// was taken before open() (its time unknown).
    unsigned long takenAt();
    /// Empties the clipboard unless another program took it after \a time (from takenAt()):
    /// the server itself ignores the emptying then.
    void emptyAsOf(unsigned long time);

private:
    explicit XWaylandClipboard(_XDisplay* display);
    void readEvents();

    _XDisplay* m_display;
    int m_eventBase = 0;
    unsigned long m_clipboard;
    unsigned long m_takenAt = 0;
    std::atomic_bool m_lost = false; // the X server went away
    std::unique_ptr<QSocketNotifier> m_notifier;
};
