#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

class QSocketNotifier;
class X11EmptyOwner;
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
    /// The change before the last one read, leaving out this program's clearings.
    quint64 follows() const { return m_follows; }
    /// Empties the clipboard while change \a change is still the last one.
    void clearAsOf(quint64 change);
    /// Empties the clipboard, whoever owns it now.
    void clearNow();
    /// From now on, a clearing makes a window of this program the owner of a clipboard that
    /// offers nothing, instead of leaving the clipboard without owner.
    void clearByOwningNothing();

private:
    X11SelectionWatch(_XDisplay* display, int eventBase, std::function<void()> changed);
    bool readNotices();
    unsigned long serverTime();
    void setNoOwner();

    _XDisplay* m_display;
    int m_eventBase;
    std::function<void()> m_changed;
    std::unique_ptr<QSocketNotifier> m_notifier;
    quint64 m_change = 0;
    quint64 m_follows = 0;
    quint64 m_lastForeign = 0;                   // the last change not made by a clearing of ours
    bool m_clearing = false;                     // the notices read now are of our own clearing
    std::unique_ptr<X11EmptyOwner> m_emptyOwner; // null: clearing leaves no owner
    unsigned long m_clock = 0;                   // a window whose changes tell the server's time
};
