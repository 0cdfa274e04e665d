#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

class QSocketNotifier;
struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a Display

/// The X server's notices of who owns the CLIPBOARD selection, on a connection of its own:
/// each new owner (or none) is one change, numbered.
class X11SelectionWatch
{
public:
    /// A watch on the display \a displayName; null when it cannot be opened or the server lacks
    /// the XFixes extension. \a changed runs whenever new notices were read.
    static std::unique_ptr<X11SelectionWatch> open(const char* displayName, std::function<void()> changed);
    ~X11SelectionWatch();
    X11SelectionWatch(const X11SelectionWatch&) = delete;
    X11SelectionWatch& operator=(const X11SelectionWatch&) = delete;

    /// The number of the last change read so far, reading what has arrived.
    quint64 change();
    /// The number of the last change the server has made until now (one round trip).
    quint64 changeNow();
    /// Makes no program the owner while change \a change is still the last one.
    void clearAsOf(quint64 change);
    /// Makes no program the owner, whoever owns it now.
    void clearNow();

private:
    X11SelectionWatch(_XDisplay* display, int eventBase, std::function<void()> changed);
    bool readNotices();

    _XDisplay* m_display;
    int m_eventBase;
    std::function<void()> m_changed;
    std::unique_ptr<QSocketNotifier> m_notifier;
    quint64 m_change = 0;
};
