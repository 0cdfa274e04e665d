#include "ClipboardOwner.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

ClipboardOwner::ClipboardOwner(Sending sending, QByteArray bytes, bool handsOver)
    : m_sending(sending)
    , m_bytes(std::move(bytes))
    , m_display(XOpenDisplay(nullptr))
    , m_window(XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0))
{
    XSetSelectionOwner(m_display, atom("CLIPBOARD"), m_window, CurrentTime);
    if (handsOver)
        XConvertSelection(m_display, atom("CLIPBOARD_MANAGER"), atom("SAVE_TARGETS"), atom("HAND_OVER"),
                          m_window, CurrentTime);
    XSync(m_display, False);
    m_thread = std::thread([this] { serve(); });
}

ClipboardOwner::~ClipboardOwner()
{
    m_stop = true;
    m_thread.join();
    XCloseDisplay(m_display);
}

QByteArray ClipboardOwner::PngLike()
{
    QByteArray bytes = QByteArrayLiteral("\x89PNG\r\n\x1a\n");
    for (int at = 0; at < 20000; ++at)
        bytes.append(static_cast<char>(at * 7 % 251));
    return bytes;
}

unsigned long ClipboardOwner::atom(const char* name)
{
    return XInternAtom(m_display, name, False);
}

void ClipboardOwner::piece(const QByteArray& bytes)
{
    XChangeProperty(m_display, m_requestor, m_property, atom("image/png"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<int>(bytes.size()));
    XFlush(m_display);
}

void ClipboardOwner::serve()
{
    constexpr qsizetype pieceSize = 4096;
    int pieces = 0;
    const auto reply = [this](const XSelectionRequestEvent& asked) {
        XSelectionEvent event{
            SelectionNotify, 0,         True, m_display, asked.requestor, asked.selection, asked.target,
            asked.property,  asked.time};
        XSendEvent(m_display, asked.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&event));
        XFlush(m_display);
        ++m_answered;
    };
    while (!m_stop) {
        if (m_sending == Sending::Held && m_taken > pieces && pieces < 3 && (pieces == 0 || m_released)) {
            piece(pieces == 0   ? m_bytes.left(pieceSize)
                  : pieces == 1 ? m_bytes.mid(pieceSize)
                                : QByteArray());
            m_sentAll = ++pieces == 3;
        }
        if (XPending(m_display) == 0) {
            pollfd wait{ConnectionNumber(m_display), POLLIN, 0};
            ::poll(&wait, 1, 20);
            continue;
        }
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == SelectionNotify && event.xselection.selection == atom("CLIPBOARD_MANAGER")) {
            m_handOver = event.xselection.property == None ? HandOver::Refused
                         : m_sentAll                       ? HandOver::DoneAfterSending
                                                           : HandOver::DoneBeforeSending;
        } else if (event.type == SelectionRequest && m_sending != Sending::Hung) {
            const XSelectionRequestEvent& asked = event.xselectionrequest;
            const bool text = m_sending == Sending::TextForAnyType;
            // Late: the picture is ready only when the requestor, tired of waiting, asks what
            // is on offer; it goes out just before that answer.
            if (m_sending == Sending::Late && asked.target != atom("TARGETS") && !m_late) {
                m_late = Asked{asked.requestor, asked.selection, asked.target, asked.property, asked.time};
                continue;
            }
            if (m_sending == Sending::Late && asked.target == atom("TARGETS") && m_late) {
                const Asked late = *std::exchange(m_late, std::nullopt);
                m_requestor = late.requestor, m_property = late.property;
                piece(m_bytes);
                XSelectionRequestEvent first = asked;
                first.requestor = late.requestor, first.selection = late.selection,
                first.target = late.target;
                first.property = late.property, first.time = late.time;
                reply(first);
                m_sentAll = true;
            }
            if (asked.target == atom("TARGETS")) {
                const Atom offered[] = {atom("TARGETS"), text ? atom("UTF8_STRING") : atom("image/png")};
                XChangeProperty(m_display, asked.requestor, asked.property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(offered), 2);
                reply(asked);
                continue;
            }
            m_requestor = asked.requestor, m_property = asked.property;
            if (m_sending == Sending::Refuses) {
                XSelectionRequestEvent refusal = asked;
                refusal.property = None;
                reply(refusal);
            } else if (m_sending == Sending::Empty) {
                piece(QByteArray());
                reply(asked);
            } else if (m_sending == Sending::Whole || m_sending == Sending::Late || text) {
                piece(m_bytes);
                reply(asked);
                m_sentAll = true;
            } else if (m_sending != Sending::Never) {
                XSelectInput(m_display, m_requestor, PropertyChangeMask);
                const long size = static_cast<long>(m_bytes.size());
                XChangeProperty(m_display, m_requestor, m_property, atom("INCR"), 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(&size), 1);
                reply(asked);
            }
        } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete &&
                   event.xproperty.window == m_requestor && event.xproperty.atom == m_property) {
            // The requestor took the last piece: the picture's first, then pieces without end or
            // nothing more.
            if (m_sending == Sending::Endless || (m_sending == Sending::Stops && pieces == 0))
                piece(pieces++ == 0 ? m_bytes.left(pieceSize) : QByteArray(pieceSize, 'x'));
            ++m_taken;
        }
    }
}
