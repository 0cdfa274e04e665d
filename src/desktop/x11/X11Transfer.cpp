#include "X11Transfer.h"

#include "X11Windows.h"
#include "desktop/qt/ImageTypes.h"

#include <QCoreApplication>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstring>
#include <vector>

namespace {

const QByteArray pngSignature = QByteArrayLiteral("\x89PNG\r\n\x1a\n");

// How long an owner that let the PNG asked for at once go unanswered for its whole silence has
// to say what it offers: a live one answers that at once, and one that answers nothing at all
// is told within moments of its silence.
constexpr std::chrono::seconds typesAfterSilence{1};

// The most read of a property at once: a large one arrives in parts, so that no more than one
// part is ever held twice (in Xlib's reply and in the value).
constexpr long partLongs = 256 * 1024;

// A property's whole value appended to \a value, the property deleted as it is read; false
// when it cannot be read or \a value would pass the limit.
bool readProperty(Display* display, Window window, Atom property, const TransferLimits& limits, Atom& type,
                  int& format, QByteArray& value)
{
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    // The size first, so that an overlong value is never copied into this process, and room is
    // made for the whole value at once.
    if (XGetWindowProperty(display, window, property, 0, 0, False, AnyPropertyType, &type, &format, &items,
                           &after, &data) != Success)
        return false;
    XFree(data);
    // Items of format 32 are longs in Xlib's memory, whatever their size on the wire.
    if (!limits.makeRoom(value, static_cast<qsizetype>(format == 32 ? after / 4 * sizeof(long) : after))) {
        XDeleteProperty(display, window, property);
        return false;
    }
    long offset = 0;
    do {
        data = nullptr;
        if (XGetWindowProperty(display, window, property, offset, partLongs, True, AnyPropertyType, &type,
                               &format, &items, &after, &data) != Success)
            return false;
        const size_t unit = format == 32 ? sizeof(long) : static_cast<size_t>(format / 8);
        const auto bytes = static_cast<qsizetype>(items * unit);
        // An owner that lengthens the property while it is read gains nothing past the limit.
        const bool fits = limits.makeRoom(value, bytes);
        if (fits)
            value.append(reinterpret_cast<const char*>(data), bytes);
        XFree(data);
        if (!fits) {
            XDeleteProperty(display, window, property);
            return false;
        }
        offset += static_cast<long>(items * static_cast<unsigned long>(format / 8) / 4);
    } while (after > 0 && items > 0);
    return true;
}

} // namespace

X11Transfer::X11Transfer(Display* display, unsigned long selection, unsigned long time, TransferLimits limits)
    : m_display(display)
    , m_selection(selection)
    , m_time(time)
    , m_limits(limits)
    , m_property(XInternAtom(display, "VISTRELLE_SELECTION", False))
    , m_typesProperty(XInternAtom(display, "VISTRELLE_TYPES", False))
    , m_targets(XInternAtom(display, "TARGETS", False))
    , m_incr(XInternAtom(display, "INCR", False))
    , m_png(XInternAtom(display, "image/png", False))
{
    m_window = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(display, m_window, PropertyChangeMask);
    // PNG is asked for at once, while the owner that made the change surely still owns the
    // clipboard: what screenshots are copied as. Only an owner that refuses it is asked what
    // it offers.
    m_state = State::Content;
    m_guessing = true;
    ask(m_png);
}

X11Transfer::~X11Transfer()
{
    if (ConnectionLost(m_display))
        return;
    // A program still sending to the window gets an error for it and stops.
    XDestroyWindow(m_display, m_window);
    XFlush(m_display);
}

void X11Transfer::ask(unsigned long target)
{
    m_asked = XNextRequest(m_display);
    m_askedTarget = target;
    // The types come into a property of their own: a picture sent late, just before them, is
    // not overwritten by them.
    XConvertSelection(m_display, m_selection, target, target == m_targets ? m_typesProperty : m_property,
                      m_window, m_time);
    XFlush(m_display);
    m_deadline = std::chrono::steady_clock::now() + m_limits.silence;
}

void X11Transfer::askTypes()
{
    m_state = State::Types;
    ask(m_targets);
}

void X11Transfer::readPicture()
{
    if (m_state != State::Offered)
        return;
    m_state = State::Content;
    askNextType();
}

void X11Transfer::askNextType()
{
    if (m_nextType >= m_imageTypes.size())
        return nothingSent();
    ask(XInternAtom(m_display, m_imageTypes.at(m_nextType++).toLatin1().constData(), False));
}

bool X11Transfer::handle(const XEvent& event)
{
    if (event.type == SelectionNotify && event.xselection.requestor == m_window) {
        if (m_state == State::Types && m_pngWithheld && event.xselection.target == m_png) {
            // The PNG asked for at once comes after all, from an owner that was busy making it
            // (a loaded machine): the picture, not the types asked for since.
            m_state = State::Content;
            m_guessing = true;
            m_pngWithheld = false;
            m_askedTarget = m_png;
        }
        // An answer to what was asked before is no answer to what is asked now.
        if (event.xselection.target == m_askedTarget &&
            (m_state == State::Types || (m_state == State::Content && !m_inPieces)))
            received(event.xselection.property);
        return true;
    }
    if (event.type == PropertyNotify && event.xproperty.window == m_window) {
        if (m_inPieces && event.xproperty.atom == m_property && event.xproperty.state == PropertyNewValue)
            piece();
        return true;
    }
    return false;
}

void X11Transfer::received(unsigned long property)
{
    Atom type = None;
    int format = 0;
    QByteArray value;
    if (m_state == State::Types) {
        if (property != None && readProperty(m_display, m_window, property, m_limits, type, format, value) &&
            format == 32) {
            std::vector<Atom> atoms(static_cast<size_t>(value.size()) / sizeof(long));
            std::memcpy(atoms.data(), value.constData(), atoms.size() * sizeof(long));
            std::vector<char*> names(atoms.size());
            QStringList offered;
            if (!atoms.empty() &&
                XGetAtomNames(m_display, atoms.data(), static_cast<int>(atoms.size()), names.data()) != 0) {
                for (char* name : names) {
                    offered.append(QString::fromLatin1(name));
                    XFree(name);
                }
            }
            m_imageTypes = ReadableImageTypes(offered);
        }
        m_offers = !m_imageTypes.isEmpty();
        // A PNG asked for and never sent, from an owner that lists one, is a picture withheld.
        if (m_pngWithheld && m_imageTypes.contains(QStringLiteral("image/png")))
            return fail(QCoreApplication::translate(
                "X11Transfer", "The program that offered the picture on the clipboard stopped sending it."));
        m_imageTypes.removeAll(QStringLiteral("image/png")); // refused already
        if (m_imageTypes.isEmpty())
            return nothingSent();
        m_state = State::Offered;
        return;
    }
    if (property == None && std::exchange(m_askAgain, false)) {
        ask(m_png);
        return;
    }
    m_askAgain = false;
    if (property == None && std::exchange(m_guessing, false)) {
        askTypes();
        return;
    }
    if (property == None) {
        askNextType(); // refused in this type
        return;
    }
    // A type asked for by name is a picture; a guessed PNG only once it reads as one.
    m_offers = m_offers || !m_guessing;
    if (!readProperty(m_display, m_window, property, m_limits, type, format, value)) {
        fail(QCoreApplication::translate("X11Transfer", "The picture on the clipboard is larger than %1 MB.")
                 .arg(m_limits.largest >> 20));
        return;
    }
    if (type == m_incr) {
        // Sent in pieces: each one is asked for by deleting the last (the deletion of the size
        // announcement asks for the first), and an empty one ends it. The announced size, a
        // lower bound, is made room for at once.
        m_inPieces = true;
        if (format == 32 && value.size() >= static_cast<qsizetype>(sizeof(long))) {
            long announced = 0;
            std::memcpy(&announced, value.constData(), sizeof announced);
            if (announced > 0 && announced <= m_limits.largest)
                m_bytes.reserve(announced);
        }
        m_deadline = std::chrono::steady_clock::now() + m_limits.silence;
        return;
    }
    m_bytes = std::move(value);
    ended();
}

void X11Transfer::piece()
{
    Atom type = None;
    int format = 0;
    const qsizetype before = m_bytes.size();
    if (!readProperty(m_display, m_window, m_property, m_limits, type, format, m_bytes)) {
        fail(QCoreApplication::translate("X11Transfer", "The picture on the clipboard is larger than %1 MB.")
                 .arg(m_limits.largest >> 20));
        return;
    }
    m_deadline = std::chrono::steady_clock::now() + m_limits.silence;
    if (m_bytes.startsWith(pngSignature))
        m_offers = true;
    if (m_bytes.size() > before)
        return;
    m_inPieces = false;
    ended();
}

void X11Transfer::ended()
{
    // Some owners send what they hold for any type asked, text as well: a guessed PNG counts
    // only when it is one, else the owner is asked what it offers.
    if (!m_bytes.isEmpty() && (!m_guessing || m_bytes.startsWith(pngSignature))) {
        m_offers = true;
        m_state = State::Done;
        return;
    }
    m_bytes = QByteArray();
    if (std::exchange(m_guessing, false))
        askTypes();
    else
        askNextType();
}

void X11Transfer::checkDeadline(std::chrono::steady_clock::time_point now)
{
    if ((m_state != State::Types && m_state != State::Content) || now < m_deadline)
        return;
    if (m_state == State::Types && !m_pngWithheld) {
        m_state = State::Done; // no answer about the types: nothing is known to be a picture
    } else if (m_guessing && !m_inPieces) {
        // No word on the PNG asked for at once: whether a picture is on offer at all is asked.
        m_guessing = false;
        m_pngWithheld = true;
        askTypes();
        m_deadline = now + typesAfterSilence;
    } else {
        // Also an owner that answered nothing, the PNG asked for nor what it offers: it took
        // the clipboard as the picture was copied, and hangs.
        fail(QCoreApplication::translate(
            "X11Transfer", "The program that offered the picture on the clipboard stopped sending it."));
    }
}

void X11Transfer::adopt(unsigned long time)
{
    m_time = time;
    m_superseded = false;
    m_askAgain = m_guessing && !m_inPieces;
}

void X11Transfer::nothingSent()
{
    // An owner that offers a picture and answers every request for it with nothing is told as
    // one that stopped: the user would otherwise wait for a file that never comes.
    if (m_offers && !m_superseded)
        return fail(QCoreApplication::translate(
            "X11Transfer", "The program that offered the picture on the clipboard stopped sending it."));
    m_state = State::Done; // no picture on offer after all
}

void X11Transfer::fail(const QString& why)
{
    m_failure = why;
    m_bytes = QByteArray(); // given back at once
    m_state = State::Failed;
    m_inPieces = false;
}
