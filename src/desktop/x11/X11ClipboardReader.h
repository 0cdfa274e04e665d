#pragma once

#include "X11Transfer.h"
#include "platform/Clipboard.h"

#include <QtGlobal>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class X11EmptyOwner;
class X11HandOvers;
struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a Display

/// The CLIPBOARD selection read on an X connection and a thread of its own: the server's
/// notices of each new owner (XFixes), numbered as changes, the types each owner offers, and
/// its picture, read at once, whatever the window thread is doing. A picture being read when
/// the next owner comes is read to its end beside the next one's, a few at a time, and each
/// arrives in copy order. An owner that another one replaced before the request for its
/// picture reached the X server is passed over: the request is the new owner's to answer, and
/// the new owner is asked nothing more. A program that hangs, never sends or sends without end
/// costs a failure of that one transfer. The clearings are made there too, so that they are
/// numbered among the changes they make.
class X11ClipboardReader
{
public:
    /// What the reader tells, from its own thread.
    struct Listener
    {
        /// Change \a change is the last one.
        std::function<void(quint64 change)> changed;
        /// A place for the picture whose reading begins (Clipboard::Catcher::place).
        std::function<quint64()> place;
        /// The picture of a change was read whole: kept at once in \a place, whether or not
        /// those copied before it have arrived; answers what it was kept as.
        std::function<quint64(const ClipboardPicture& picture, quint64 place)> keep;
        /// The picture of a change was read, or could not be; in copy order.
        std::function<void(const ClipboardPicture& picture)> arrived;
    };

    /// The resource ids of the program's own X connection (Qt's): base and mask, as the server
    /// gave them. What its windows put on the clipboard is the program's own, never read.
    struct ProgramIds
    {
        unsigned long base = 0;
        unsigned long mask = 0;
    };

    /// A reader of the display \a displayName; null when it cannot be opened or the server
    /// lacks the XFixes extension. With \a owningNothing, a clearing makes a window of the
    /// reader's the owner of a clipboard that offers nothing, instead of leaving no owner.
    static std::unique_ptr<X11ClipboardReader> open(const char* displayName, bool owningNothing,
                                                    TransferLimits limits, ProgramIds program,
                                                    Listener listener);
    ~X11ClipboardReader();
    X11ClipboardReader(const X11ClipboardReader&) = delete;
    X11ClipboardReader& operator=(const X11ClipboardReader&) = delete;

    /// The number of what the clipboard held when the reader started: 1 when it had an owner
    /// (its picture is read like any other), else 0.
    quint64 present() const { return m_present; }
    /// Empties the clipboard while change \a change is still the last one.
    void clearIfStill(quint64 change);
    /// Waits until the reader has read the server's notices until now: the change the program
    /// made when it took the clipboard last; 0 when another program owns the clipboard (the
    /// program's claim came too late), or the reader did not answer within a second.
    quint64 own();

private:
    struct Command
    {
        enum class Kind { ClearIfStill, Own, Stop } kind;
        quint64 change = 0;
    };

    X11ClipboardReader(_XDisplay* display, int eventBase, TransferLimits limits, ProgramIds program,
                       Listener listener);
    void send(Command command);
    void run();
    bool runCommands();
    void readEvents();
    void notice(const union _XEvent& event);
    quint64 changeNow();
    void clearing(quint64 ifStill);
    unsigned long serverTime();
    void startIfDue();
    void settle();
    void retire(std::unique_ptr<X11Transfer> transfer);
    void answerHandOvers();

    _XDisplay* m_display;
    int m_eventBase;
    TransferLimits m_limits;
    ProgramIds m_program;
    Listener m_listener;
    unsigned long m_clipboard;
    int m_wake[2] = {-1, -1};
    std::unique_ptr<X11EmptyOwner> m_emptyOwner; // null: a clearing leaves no owner
    unsigned long m_clock = 0;                   // a window whose changes tell the server's time
    std::unique_ptr<X11HandOvers> m_handOvers;   // null while a clipboard manager runs

    std::mutex m_mutex; // guards the commands and the answer to own()
    std::deque<Command> m_commands;
    std::optional<quint64> m_owned;
    std::condition_variable m_ownAnswered;

    // Only the reader's thread touches what follows.
    quint64 m_change = 0;
    quint64 m_follows = 0;     // the last change before the last that put anything there
    quint64 m_lastForeign = 0; // the last change that put anything there
    bool m_clearing = false;   // the notices read now are of our own clearing
    quint64 m_ownChange = 0;   // the last change the program made, taking the clipboard
    bool m_startPending = false;
    unsigned long m_ownerTime = 0;
    struct Reading
    {
        std::unique_ptr<X11Transfer> transfer;
        quint64 change = 0;
        quint64 follows = 0;
        quint64 place = 0;
        std::optional<ClipboardPicture> kept; // read whole and kept, waiting for those before it
    };
    void keepIfWhole(Reading& reading);
    std::deque<Reading> m_readings; // in copy order
    // Transfers given up, whose windows stay a while: a program still answering gets no error.
    std::deque<std::pair<std::chrono::steady_clock::time_point, std::unique_ptr<X11Transfer>>> m_retired;

    quint64 m_present = 0;
    std::atomic_bool m_lost = false; // the X server went away
    std::thread m_thread;
};
