#include "desktop/qt/QtClipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QMimeData>
#include <QTest>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <atomic>
#include <poll.h>
#include <thread>

Q_DECLARE_METATYPE(QtClipboard::Clearing)

namespace {

// The owner of the CLIPBOARD selection as another X client sees it.
Window clipboardOwner()
{
    Display* display = XOpenDisplay(nullptr);
    const Window owner = XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False));
    XCloseDisplay(display);
    return owner;
}

// Another program owning the clipboard with an image/png on offer, on a connection and thread
// of its own, sending the picture as told: whole, in pieces (INCR), not at all, a piece and
// then nothing, or pieces without end.
class TestOwner
{
public:
    enum class Sending { Whole, Pieces, Never, Stops, Endless, TextForAnyType };

    /// What came of handing the clipboard over to the clipboard manager (as a program that
    /// exits at once does).
    enum class HandOver { NotAsked, Asked, DoneBeforeSending, DoneAfterSending, Refused };

    TestOwner(Sending sending, QByteArray bytes, bool handsOver = false)
        : m_sending(sending)
        , m_bytes(std::move(bytes))
        , m_display(XOpenDisplay(nullptr))
        , m_window(XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0))
    {
        XSetSelectionOwner(m_display, atom("CLIPBOARD"), m_window, CurrentTime);
        if (handsOver) {
            XConvertSelection(m_display, atom("CLIPBOARD_MANAGER"), atom("SAVE_TARGETS"), atom("HAND_OVER"),
                              m_window, CurrentTime);
            m_handOver = HandOver::Asked;
        }
        XSync(m_display, False);
        m_thread = std::thread([this] { serve(); });
    }
    ~TestOwner()
    {
        m_stop = true;
        m_thread.join();
        XCloseDisplay(m_display);
    }

    /// The requests answered so far.
    int answered() const { return m_answered; }
    HandOver handOver() const { return m_handOver; }

private:
    Atom atom(const char* name) { return XInternAtom(m_display, name, False); }

    void reply(const XSelectionRequestEvent& asked, Atom property)
    {
        XSelectionEvent event{};
        event.type = SelectionNotify;
        event.requestor = asked.requestor;
        event.selection = asked.selection;
        event.target = asked.target;
        event.property = property;
        event.time = asked.time;
        XSendEvent(m_display, asked.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&event));
        XFlush(m_display);
        ++m_answered;
    }

    void piece(const QByteArray& bytes)
    {
        XChangeProperty(m_display, m_requestor, m_property, atom("image/png"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(bytes.constData()),
                        static_cast<int>(bytes.size()));
        XFlush(m_display);
    }

    void serve()
    {
        constexpr qsizetype pieceSize = 4096;
        qsizetype sent = 0;
        while (!m_stop) {
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
            } else if (event.type == SelectionRequest) {
                const XSelectionRequestEvent& asked = event.xselectionrequest;
                const bool text = m_sending == Sending::TextForAnyType;
                if (asked.target == atom("TARGETS")) {
                    const Atom offered[] = {atom("TARGETS"), text ? atom("UTF8_STRING") : atom("image/png")};
                    XChangeProperty(m_display, asked.requestor, asked.property, XA_ATOM, 32, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(offered), 2);
                    reply(asked, asked.property);
                } else if (m_sending == Sending::Whole || text) {
                    m_requestor = asked.requestor, m_property = asked.property;
                    piece(m_bytes);
                    reply(asked, asked.property);
                    m_sentAll = true;
                } else if (m_sending != Sending::Never) {
                    m_requestor = asked.requestor, m_property = asked.property;
                    XSelectInput(m_display, m_requestor, PropertyChangeMask);
                    const long size = static_cast<long>(m_bytes.size());
                    XChangeProperty(m_display, m_requestor, m_property, atom("INCR"), 32, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(&size), 1);
                    reply(asked, asked.property);
                }
            } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete &&
                       event.xproperty.window == m_requestor && event.xproperty.atom == m_property) {
                // The requestor took the last piece: the next one, or the empty end.
                if (m_sending == Sending::Endless)
                    piece(sent++ == 0 ? m_bytes.left(pieceSize) : QByteArray(pieceSize, 'x'));
                else if (m_sending == Sending::Stops && sent > 0)
                    continue;
                else {
                    const QByteArray next = m_bytes.mid(sent, pieceSize);
                    piece(next);
                    sent = std::min(sent + pieceSize, m_bytes.size() + 1);
                    m_sentAll = next.isEmpty();
                }
            }
        }
    }

    Sending m_sending;
    QByteArray m_bytes;
    Display* m_display;
    Window m_window;
    Window m_requestor = None;
    Atom m_property = None;
    std::atomic<bool> m_stop = false;
    std::atomic<int> m_answered = 0;
    std::atomic<HandOver> m_handOver = HandOver::NotAsked;
    bool m_sentAll = false; // the picture's last piece is out
    std::thread m_thread;
};

// A picture's bytes as an owner sends them: a PNG's signature, then 20,000 bytes of a pattern.
QByteArray pngLike()
{
    QByteArray bytes = QByteArrayLiteral("\x89PNG\r\n\x1a\n");
    for (int at = 0; at < 20000; ++at)
        bytes.append(static_cast<char>(at * 7 % 251));
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(TestOwner::Sending)

// The X clipboard: each picture read on a connection and thread of the reader's own, whatever
// its owner does, and emptied the way the session needs: without owner on an X11 desktop, and
// owned with nothing on offer under XWayland, where some compositors ignore "no owner".
class tst_QtClipboard : public QObject
{
    Q_OBJECT

private slots:
    // Every test starts from a clipboard nobody owns, whatever the one before left there.
    void init()
    {
        QGuiApplication::clipboard()->clear();
        QTRY_COMPARE(clipboardOwner(), Window(None));
    }

    void clearing_data()
    {
        QTest::addColumn<QtClipboard::Clearing>("clearing");
        QTest::addColumn<bool>("owned");
        QTest::newRow("X11 desktop") << QtClipboard::Clearing::NoOwner << false;
        QTest::newRow("XWayland") << QtClipboard::Clearing::OwnsNothing << true;
    }

    void clearing()
    {
        QFETCH(QtClipboard::Clearing, clearing);
        QFETCH(bool, owned);
        QtClipboard clipboard(clearing);
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int round = 0; round < 2; ++round) {
            clipboard.setImage(picture);
            QVERIFY2(clipboard.hasImage(), "the picture could not be put on the clipboard");
            if (round == 0)
                clipboard.clearIfStill(clipboard.changeCount());
            else
                clipboard.clear();
            QTRY_VERIFY(!clipboard.hasImage());
            // As in the running program, Qt hears of the clearing, and so of the server's time,
            // before it puts the next picture there.
            QTest::qWait(200);
            QCOMPARE(clipboardOwner() != None, owned);
            // Whoever asks, this program too, is answered at once and offered no picture.
            QElapsedTimer asking;
            asking.start();
            const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
            QVERIFY(asking.elapsed() < 1000);
            QVERIFY(data);
            QVERIFY(!data->hasImage());
            QVERIFY2(data->formats().filter(QStringLiteral("image/")).isEmpty(),
                     qPrintable(data->formats().join(QLatin1Char(' '))));
        }
    }

    // Whatever the owner does, the picture arrives whole or one failure says why; the reader
    // answers the window's thread at once all the while.
    void transfers_data()
    {
        QTest::addColumn<TestOwner::Sending>("sending");
        QTest::addColumn<QString>("failure");
        QTest::newRow("whole") << TestOwner::Sending::Whole << QString();
        QTest::newRow("in pieces") << TestOwner::Sending::Pieces << QString();
        QTest::newRow("never sends")
            << TestOwner::Sending::Never
            << "The program that offered the picture on the clipboard stopped sending it.";
        QTest::newRow("stops midway")
            << TestOwner::Sending::Stops
            << "The program that offered the picture on the clipboard stopped sending it.";
        QTest::newRow("sends without end")
            << TestOwner::Sending::Endless << "The picture on the clipboard is larger than 1 MB.";
    }

    void transfers()
    {
        QFETCH(TestOwner::Sending, sending);
        QFETCH(QString, failure);
        QtClipboard clipboard(QtClipboard::Clearing::NoOwner, {std::chrono::milliseconds(500), 1 << 20});
        QHash<quint64, ClipboardPicture> arrived;
        connect(&clipboard, &Clipboard::arrived, this,
                [&](const ClipboardPicture& picture) { arrived.insert(picture.change, picture); });
        const QByteArray bytes = pngLike();
        TestOwner owner(sending, bytes);
        QTRY_VERIFY(clipboard.hasImage());
        const quint64 owners = clipboard.changeCount();
        // The window's own picture goes on the clipboard at once, while the owner before keeps
        // its transfer waiting.
        QImage own(4, 3, QImage::Format_RGB32);
        own.fill(Qt::green);
        QElapsedTimer putting;
        putting.start();
        clipboard.setImage(own);
        QVERIFY2(putting.elapsed() < 100, qPrintable(QString::number(putting.elapsed())));
        QCOMPARE(clipboard.changeCount(), owners + 1);
        QTRY_COMPARE_WITH_TIMEOUT(arrived.size(), 2, 10000);
        QCOMPARE(arrived.value(owners + 1).image, own);
        QCOMPARE(arrived.value(owners).failure, failure);
        QCOMPARE(arrived.value(owners).bytes, failure.isEmpty() ? bytes : QByteArray());
    }

    // A picture read whole while the one copied before it is still on its way waits for it,
    // also when the next owner comes meanwhile: each arrives, in copy order.
    void readWholeWaitsInOrder()
    {
        QtClipboard clipboard(QtClipboard::Clearing::NoOwner, {std::chrono::milliseconds(1000), 1 << 20});
        QList<ClipboardPicture> arrived;
        connect(&clipboard, &Clipboard::arrived, this,
                [&](const ClipboardPicture& picture) { arrived.append(picture); });
        TestOwner stalling(TestOwner::Sending::Stops, pngLike());
        QTRY_VERIFY(stalling.answered() > 0);
        TestOwner second(TestOwner::Sending::Whole, pngLike());
        QTRY_VERIFY(second.answered() > 0);
        TestOwner third(TestOwner::Sending::Whole, pngLike());
        QTRY_COMPARE_WITH_TIMEOUT(arrived.size(), 3, 10000);
        QVERIFY(!arrived.at(0).failure.isEmpty());
        QCOMPARE(arrived.at(1).bytes, pngLike());
        QCOMPARE(arrived.at(2).bytes, pngLike());
        QVERIFY(arrived.at(0).change < arrived.at(1).change && arrived.at(1).change < arrived.at(2).change);
    }

    // A program that copies and exits at once hands its clipboard to the clipboard manager's
    // place, which the reader holds while no manager runs: the hand-over is answered only once
    // the picture has been read, so the picture is not gone with the program.
    void handOverAtExit()
    {
        QtClipboard clipboard;
        QList<ClipboardPicture> arrived;
        connect(&clipboard, &Clipboard::arrived, this,
                [&](const ClipboardPicture& picture) { arrived.append(picture); });
        TestOwner owner(TestOwner::Sending::Pieces, pngLike(), true);
        QTRY_VERIFY(owner.handOver() != TestOwner::HandOver::Asked);
        QCOMPARE(owner.handOver(), TestOwner::HandOver::DoneAfterSending);
        QTRY_COMPARE(arrived.size(), 1);
        QCOMPARE(arrived.first().bytes, pngLike());
    }

    // An owner that sends its text for whatever type it is asked is asked what it offers, and
    // its text never arrives as a picture; the next owner's picture does.
    void textIsNoPicture()
    {
        QtClipboard clipboard;
        QList<ClipboardPicture> arrived;
        connect(&clipboard, &Clipboard::arrived, this,
                [&](const ClipboardPicture& picture) { arrived.append(picture); });
        TestOwner text(TestOwner::Sending::TextForAnyType, "some words");
        QTRY_COMPARE(text.answered(), 2); // the PNG guessed, then the types
        TestOwner picture(TestOwner::Sending::Whole, pngLike());
        QTRY_COMPARE(arrived.size(), 1);
        QCOMPARE(arrived.first().bytes, pngLike());
        QVERIFY(!clipboard.hasImage() || arrived.first().change == clipboard.changeCount());
    }
};

QTEST_MAIN(tst_QtClipboard)
#include "tst_QtClipboard.moc"
