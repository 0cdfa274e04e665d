#include "X11ClipboardReader.h"

#include "X11EmptyOwner.h"
#include "X11HandOvers.h"
#include "X11Windows.h"
#include "platform/FreedMemory.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

// Pictures read at once at most: each may be large, and owners that come faster than their
// pictures can be read are passed over for the last one.
constexpr size_t mostReadings = 8;

} // namespace

std::unique_ptr<X11ClipboardReader> X11ClipboardReader::open(const char* displayName, bool owningNothing,
                                                             TransferLimits limits, ProgramIds program,
                                                             Listener listener)
{
    Display* display = XOpenDisplay(displayName);
    if (!display)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    if (!XFixesQueryExtension(display, &eventBase, &errorBase)) {
        XCloseDisplay(display);
        return nullptr;
    }
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    XFixesSelectSelectionInput(display, DefaultRootWindow(display), clipboard,
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
    std::unique_ptr<X11ClipboardReader> reader(
        new X11ClipboardReader(display, eventBase, limits, program, std::move(listener)));
    KeepProcessOnConnectionLoss(display, &reader->m_lost);
    if (owningNothing) {
        reader->m_emptyOwner = X11EmptyOwner::open(displayName);
        reader->m_clock = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
        XSelectInput(display, reader->m_clock, PropertyChangeMask);
    }
    // Where no clipboard manager runs, programs that copy and exit hand their picture here.
    reader->m_handOvers = X11HandOvers::take(display);
    XSync(display, False);
    if (XGetSelectionOwner(display, clipboard) != None) {
        reader->m_present = reader->m_change = reader->m_lastForeign = 1;
        reader->m_startPending = true;
    }
    reader->m_thread = std::thread([raw = reader.get()] { raw->run(); });
    return reader;
}

X11ClipboardReader::X11ClipboardReader(Display* display, int eventBase, TransferLimits limits,
                                       ProgramIds program, Listener listener)
    : m_display(display)
    , m_eventBase(eventBase)
    , m_limits(limits)
    , m_program(program)
    , m_listener(std::move(listener))
    , m_clipboard(XInternAtom(display, "CLIPBOARD", False))
{
    if (pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        m_wake[0] = m_wake[1] = -1;
}

X11ClipboardReader::~X11ClipboardReader()
{
    if (m_thread.joinable()) {
        send({Command::Kind::Stop});
        m_thread.join();
    }
    m_readings.clear();
    m_retired.clear();
    m_handOvers.reset();
    m_emptyOwner.reset();
    CloseConnection(m_display);
    for (const int end : m_wake)
        if (end >= 0)
            ::close(end);
}

void X11ClipboardReader::send(Command command)
{
    {
        const std::lock_guard lock(m_mutex);
        m_commands.push_back(command);
    }
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &byte, 1); // full: it is awake anyway
}

void X11ClipboardReader::clearIfStill(quint64 change)
{
    send({Command::Kind::ClearIfStill, change});
}

quint64 X11ClipboardReader::own()
{
    std::unique_lock lock(m_mutex);
    m_owned.reset();
    m_commands.push_back({Command::Kind::Own});
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &byte, 1);
    m_ownAnswered.wait_for(lock, std::chrono::seconds(1), [this] { return m_owned.has_value(); });
    return m_owned.value_or(0);
}

void X11ClipboardReader::run()
{
    pollfd waits[2] = {{ConnectionNumber(m_display), POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    for (;;) {
        if (!runCommands())
            return;
        readEvents();
        if (m_lost)
            return;
        const auto now = std::chrono::steady_clock::now();
        for (const Reading& reading : m_readings)
            reading.transfer->checkDeadline(now);
        settle();
        startIfDue();
        answerHandOvers();
        while (!m_retired.empty() && now - m_retired.front().first > std::chrono::seconds(10))
            m_retired.pop_front();
        XFlush(m_display);
        if (XPending(m_display) > 0)
            continue;
        int timeout = m_retired.empty() ? -1 : 10000;
        for (const Reading& reading : m_readings) {
            if (!reading.transfer->waiting())
                continue;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                reading.transfer->deadline() - std::chrono::steady_clock::now());
            const int wait = static_cast<int>(std::clamp<qint64>(left.count() + 1, 0, 60000));
            timeout = timeout < 0 ? wait : std::min(timeout, wait);
        }
        ::poll(waits, 2, timeout);
        char drained[64];
        while (::read(m_wake[0], drained, sizeof drained) > 0) {
        }
    }
}

bool X11ClipboardReader::runCommands()
{
    for (;;) {
        Command command{};
        {
            const std::lock_guard lock(m_mutex);
            if (m_commands.empty())
                return true;
            command = m_commands.front();
            m_commands.pop_front();
        }
        switch (command.kind) {
        case Command::Kind::Stop:
            return false;
        case Command::Kind::ClearIfStill:
            clearing(command.change);
            break;
        case Command::Kind::Own: {
            // When the program's claim came too late (another program took the clipboard since
            // the moment the claim named), the clipboard is that program's.
            const quint64 change = changeNow();
            const std::lock_guard lock(m_mutex);
            m_owned = change == m_ownChange ? change : 0;
            m_ownAnswered.notify_all();
            break;
        }
        }
    }
}

void X11ClipboardReader::readEvents()
{
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == m_eventBase + XFixesSelectionNotify) {
            notice(event);
            // Asked at once, not once the events read with it are handled: a transfer sending
            // piece after piece keeps events coming, while the new owner may go any moment.
            startIfDue();
            continue;
        }
        if (m_handOvers && m_handOvers->handle(event, m_change))
            continue;
        for (Reading& reading : m_readings) {
            if (reading.transfer->handle(event)) {
                // Kept before the next event is looked at: a kill costs at most the one picture
                // being kept, never pictures read whole that wait for one copied before them.
                keepIfWhole(reading);
                break;
            }
        }
    }
}

void X11ClipboardReader::notice(const XEvent& event)
{
    const auto& told = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
    ++m_change;
    const bool ours = m_clearing || (m_emptyOwner && told.owner == m_emptyOwner->window());
    // A change that empties the clipboard (a clearing, another program's, an owner leaving)
    // puts nothing there: the same picture after it may be the one before, put back.
    if (!ours && told.owner != None) {
        m_follows = m_lastForeign;
        m_lastForeign = m_change;
    }
    // A picture being read is read to its end: it is the one of the owner that was asked; one
    // read whole already waits for those before it. One not that far yet (its types asked or
    // known) is given up for the new owner, who would be asked instead.
    settle();
    const auto state = m_readings.empty() ? X11Transfer::State::Done : m_readings.back().transfer->state();
    if (state == X11Transfer::State::Types || state == X11Transfer::State::Offered) {
        retire(std::move(m_readings.back().transfer));
        m_readings.pop_back();
    }
    // An owner asked before this change may refuse now, as the clipboard is no longer its.
    for (const Reading& reading : m_readings)
        reading.transfer->supersede();
    // What the program copied itself is never read.
    const bool program = told.owner != None && (told.owner & ~m_program.mask) == m_program.base;
    if (program)
        m_ownChange = m_change;
    m_startPending = !ours && !program && told.owner != None;
    // A picture asked for only after the new owner took the clipboard is answered by the new
    // owner: the one before left before anyone could ask it. The answer is the new owner's
    // picture, and the new owner is not asked twice (some send to one requestor at a time).
    if (m_startPending && state == X11Transfer::State::Content &&
        m_readings.back().transfer->askedAfter(told.serial)) {
        Reading& last = m_readings.back();
        last.transfer->adopt(told.selection_timestamp);
        last.change = m_change;
        last.follows = m_follows;
        m_startPending = false;
    }
    m_ownerTime = told.selection_timestamp;
    m_listener.changed(m_change);
}

quint64 X11ClipboardReader::changeNow()
{
    XSync(m_display, False);
    readEvents();
    return m_change;
}

unsigned long X11ClipboardReader::serverTime()
{
    // A property change is stamped with the server's time of the change.
    const Atom stamp = XInternAtom(m_display, "VISTRELLE_TIME", False);
    XChangeProperty(m_display, m_clock, stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XIfEvent(
        m_display, &event,
        [](Display*, XEvent* candidate, XPointer window) {
            return Bool(candidate->type == PropertyNotify &&
                        candidate->xproperty.window == *reinterpret_cast<Window*>(window));
        },
        reinterpret_cast<XPointer>(&m_clock));
    return event.xproperty.time;
}

void X11ClipboardReader::clearing(quint64 ifStill)
{
    if (m_emptyOwner) {
        // Under XWayland, a clipboard left without owner is not passed on to the Wayland side
        // on every desktop; one owned and offering nothing is. The owner takes it on its own
        // connection, so the server cannot be held meanwhile; it takes it as of the moment
        // before the look instead, which the server ignores when anyone took it since.
        const unsigned long before = serverTime();
        if (ifStill != 0 && changeNow() == ifStill)
            m_emptyOwner->takeAsOf(m_display, before);
        return;
    }
    // With the server held, no other program can take the clipboard between the look at the
    // notices and the clearing, and the notice read after the clearing is the clearing's own.
    XGrabServer(m_display);
    if (ifStill != 0 && changeNow() == ifStill) {
        XSetSelectionOwner(m_display, m_clipboard, None, CurrentTime);
        m_clearing = true;
        changeNow();
        m_clearing = false;
    }
    XUngrabServer(m_display);
    XFlush(m_display);
}

void X11ClipboardReader::startIfDue()
{
    if (!m_startPending || m_readings.size() >= mostReadings)
        return;
    m_startPending = false;
    m_readings.push_back({std::make_unique<X11Transfer>(m_display, m_clipboard, m_ownerTime, m_limits),
                          m_change, m_follows, m_listener.place(), std::nullopt});
}

void X11ClipboardReader::keepIfWhole(Reading& reading)
{
    if (reading.kept || reading.transfer->state() != X11Transfer::State::Done)
        return;
    QByteArray bytes = reading.transfer->takeBytes();
    if (bytes.isEmpty())
        return;
    ClipboardPicture picture = ClipboardPicture::sent(reading.change, reading.follows, std::move(bytes));
    picture.caught = m_listener.keep(picture, reading.place);
    reading.kept = std::move(picture);
}

void X11ClipboardReader::settle()
{
    // A picture: read at once, before its owner goes.
    for (Reading& reading : m_readings) {
        reading.transfer->readPicture();
        keepIfWhole(reading);
    }
    // Pictures arrive in copy order, whichever was read first.
    while (!m_readings.empty()) {
        Reading& first = m_readings.front();
        if (first.transfer->state() == X11Transfer::State::Done) {
            if (first.kept)
                m_listener.arrived(*first.kept);
        } else if (first.transfer->state() == X11Transfer::State::Failed) {
            m_listener.arrived(ClipboardPicture::failed(first.change, first.transfer->failure()));
            retire(std::move(first.transfer));
            // What an endless transfer took goes back to the system at once.
            TrimHeap();
        } else {
            return;
        }
        m_readings.pop_front();
    }
}

void X11ClipboardReader::answerHandOvers()
{
    if (!m_handOvers)
        return;
    // A program handing its clipboard over waits until the picture it offered has been read.
    quint64 read = m_startPending ? m_change - 1 : m_change;
    if (!m_readings.empty())
        read = std::min(read, m_readings.front().change - 1);
    m_handOvers->answerUpTo(read);
}

void X11ClipboardReader::retire(std::unique_ptr<X11Transfer> transfer)
{
    m_retired.emplace_back(std::chrono::steady_clock::now(), std::move(transfer));
}
