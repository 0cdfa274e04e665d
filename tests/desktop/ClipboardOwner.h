#pragma once

#include <QByteArray>
#include <atomic>
#include <optional>
#include <thread>

struct _XDisplay;

/// Another program owning the X clipboard with an image/png on offer, on a connection and thread
/// of its own, sending the picture as told: whole, not at all, in pieces (INCR) but none of them,
/// a piece and then nothing, pieces without end, or its text for whatever type it is asked; or
/// hung, answering nothing, not even what it offers; or whole only once asked what it offers
/// (as a program on a loaded machine, busy making it past the requestor's deadline); or
/// answering every request for it with a refusal, or with no bytes; or in pieces, the first at
/// once and the rest once released.
class ClipboardOwner
{
public:
    enum class Sending {
        Whole,
        Never,
        Silent,
        Stops,
        Endless,
        TextForAnyType,
        Hung,
        Late,
        Refuses,
        Empty,
        Held
    };

    /// What came of handing the clipboard over to the clipboard manager (as a program that
    /// exits at once does), if it was asked.
    enum class HandOver { NoAnswer, DoneBeforeSending, DoneAfterSending, Refused };

    /// A picture's bytes as an owner sends them: a PNG's signature, then 20,000 bytes of a pattern.
    static QByteArray PngLike();

    explicit ClipboardOwner(Sending sending, QByteArray bytes = PngLike(), bool handsOver = false);
    ~ClipboardOwner();

    int answered() const { return m_answered; }
    /// A held owner sends the rest of its picture.
    void release() { m_released = true; }
    HandOver handOver() const { return m_handOver; }

private:
    unsigned long atom(const char* name);
    void piece(const QByteArray& bytes);
    void serve();

    Sending m_sending;
    QByteArray m_bytes;
    _XDisplay* m_display; // Xlib's, whose names clash with Qt's: kept out of this header
    unsigned long m_window;
    unsigned long m_requestor = 0; // None
    unsigned long m_property = 0;
    std::atomic<bool> m_stop = false;
    std::atomic<bool> m_released = false;
    int m_taken = 0; // pieces the requestor took, the announcement of pieces first
    std::atomic<int> m_answered = 0;
    std::atomic<HandOver> m_handOver = HandOver::NoAnswer;
    bool m_sentAll = false; // the picture is out
    struct Asked
    {
        unsigned long requestor, selection, target, property, time;
    };
    std::optional<Asked> m_late; // the picture asked for, not sent yet
    std::thread m_thread;
};
