#pragma once

#include <QImage>
#include <QObject>
#include <QString>

/// Takes the pixels of the window the user works in. Some desktops answer at once, others only
/// after a while (they may ask the user first): the answer comes as a signal, and nothing waits
/// for it meanwhile.
class ScreenGrab : public QObject
{
    Q_OBJECT

public:
    /// Starts taking the active top-level window with its frame, at its full size (parts outside
    /// the screen black), or where the desktop gives no single window, the whole screen. Answered
    /// once, by taken() or failed(), possibly before the call returns; not called again before
    /// that answer.
    virtual void grab() = 0;
    /// Goes on with a grab that waits for the user to have been told what the desktop is about
    /// to ask (waiting()).
    virtual void proceed() {}

signals:
    void taken(const QImage& picture);
    /// No picture. \a why is what the user is to be told: what stood in the way and what to
    /// allow; empty when there simply was no window to take.
    void failed(const QString& why);
    /// The desktop is about to ask the user before it answers: the grab goes on with proceed(),
    /// once the user has been told \a what the question is about.
    void waiting(const QString& what);
    /// The picture taken() gives next is the whole screen, not the window: \a why the window
    /// itself was refused, and what to allow.
    void screenInstead(const QString& why);
};
