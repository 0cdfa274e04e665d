#pragma once

#include "desktop/qt/TransferLimits.h"

#include <QByteArray>
#include <QStringList>
#include <chrono>

struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a Display
union _XEvent;    // NOLINT(bugprone-reserved-identifier): Xlib's own name for an XEvent

/// One reading of a selection on a connection of the caller's, through a window of its own: a
/// PNG picture at once, or, when the owner refuses that, the types on offer, then, when asked,
/// the content in the first readable image type; sent whole or in pieces (INCR). A program that stays silent
/// longer than the limit, or sends more than it allows, ends the transfer with a failure; so does one that
/// answers nothing at all (a second after the limit), one that offers a picture and sends nothing in any
/// of its types, and a window or connection gone. Events are handed in
/// by the caller, who owns the connection and its thread.
class X11Transfer
{
public:
    enum class State {
        Types,   ///< waiting for the types on offer (after PNG was refused)
        Offered, ///< the types are known; nothing more asked yet
        Content, ///< waiting for the content
        Done,    ///< the content is in bytes(); or none was offered in a readable type
        Failed,  ///< failure() says why
    };

    /// Asks for the types of \a selection as of \a time.
    X11Transfer(_XDisplay* display, unsigned long selection, unsigned long time, TransferLimits limits);
    ~X11Transfer();
    X11Transfer(const X11Transfer&) = delete;
    X11Transfer& operator=(const X11Transfer&) = delete;

    State state() const { return m_state; }
    /// True while an answer of the owner is awaited, so the deadline counts.
    bool waiting() const { return m_state == State::Types || m_state == State::Content; }
    /// True once the owner is known to offer a picture: it listed one, or began to send one.
    bool offersPicture() const { return m_offers; }
    /// The readable image types on offer, PNG first.
    const QStringList& imageTypes() const { return m_imageTypes; }
    /// Asks for the content in the first readable image type (from Offered).
    void readPicture();
    /// Takes \a event when it belongs to this transfer; true then.
    bool handle(const _XEvent& event);
    /// When the transfer fails for silence, unless something arrives before.
    std::chrono::steady_clock::time_point deadline() const { return m_deadline; }
    /// Fails the transfer when its deadline has passed.
    void checkDeadline(std::chrono::steady_clock::time_point now);
    /// True when what was asked last reached the X server after the request numbered \a serial
    /// on the connection: an owner that took the selection by then answers it.
    bool askedAfter(unsigned long serial) const { return m_asked > serial; }
    /// The selection's owner since \a time answers what was asked: what it sends is read as its
    /// own, and a refusal of the earlier time is asked again as of its time.
    void adopt(unsigned long time);
    /// Another owner took the selection since this was asked: a picture it offered and then
    /// refused is no failure, for the selection is no longer its.
    void supersede() { m_superseded = true; }

    QByteArray takeBytes() { return std::move(m_bytes); }
    const QString& failure() const { return m_failure; }

private:
    void ask(unsigned long target);
    void askTypes();
    void askNextType();
    void received(unsigned long property);
    void piece();
    void ended();
    void nothingSent();
    void fail(const QString& why);

    _XDisplay* m_display;
    unsigned long m_selection;
    unsigned long m_time;
    TransferLimits m_limits;
    unsigned long m_window = 0;
    unsigned long m_asked = 0;       // the number of the request that asked last
    unsigned long m_askedTarget = 0; // ... and the type it asked for
    unsigned long m_property;
    unsigned long m_typesProperty;
    unsigned long m_targets;
    unsigned long m_incr;
    unsigned long m_png;
    State m_state = State::Types;
    bool m_inPieces = false;
    bool m_guessing = false;    // PNG asked for before the types
    bool m_pngWithheld = false; // ... and not sent
    bool m_askAgain = false;    // ... of an owner that came since: a refusal is asked again
    bool m_offers = false;
    bool m_superseded = false;
    QStringList m_imageTypes;
    qsizetype m_nextType = 0;
    QByteArray m_bytes;
    QString m_failure;
    std::chrono::steady_clock::time_point m_deadline;
};
