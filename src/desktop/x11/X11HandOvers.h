#pragma once

#include <QList>
#include <QtGlobal>
#include <memory>

struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a Display
union _XEvent;    // NOLINT(bugprone-reserved-identifier): Xlib's own name for an XEvent

/// The clipboard manager's place (the CLIPBOARD_MANAGER selection), taken while nobody holds
/// it, so that a program that copies and exits at once hands its clipboard over (SAVE_TARGETS)
/// and waits until its picture has been read, instead of taking the picture with it. Nothing is
/// kept: the reader reads the picture as it reads any, and each hand-over is answered once the
/// clipboard's content as of the request has been read. Given up to any manager that comes.
class X11HandOvers
{
public:
    /// The place on \a display, on the caller's connection; null when a manager holds it.
    static std::unique_ptr<X11HandOvers> take(_XDisplay* display);
    ~X11HandOvers();
    X11HandOvers(const X11HandOvers&) = delete;
    X11HandOvers& operator=(const X11HandOvers&) = delete;

    /// Takes \a event when it is for the place; true then. \a change is the clipboard's
    /// change now, which a hand-over asked for now waits to be read.
    bool handle(const _XEvent& event, quint64 change);
    /// Answers every hand-over waiting for change \a read or an earlier one.
    void answerUpTo(quint64 read);
    /// False once a manager took the place.
    bool held() const { return m_held; }

private:
    struct Request
    {
        unsigned long requestor;
        unsigned long target;
        unsigned long property;
        unsigned long time;
        quint64 change;
    };

    X11HandOvers(_XDisplay* display, unsigned long window);
    void answer(const Request& request, unsigned long property);

    _XDisplay* m_display;
    unsigned long m_window;
    unsigned long m_manager;
    unsigned long m_saveTargets;
    unsigned long m_targets;
    bool m_held = true;
    QList<Request> m_waiting;
};
