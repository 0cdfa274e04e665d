#pragma once

#include <QByteArray>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QString>
#include <functional>

/// A picture as fetched from the clipboard, not yet decoded: the bytes of an image file in a
/// format the image readers know, or a picture already in memory (a window's, grabbed).
struct ClipboardPicture
{
    quint64 change = 0; ///< the clipboard change that put the picture there; 0 for a window's
    /// The last change before it that put anything on the clipboard, leaving out those that
    /// emptied it (the program's own clearings, another program's) and owners leaving it: when
    /// that is the change of the picture filed last, nothing else was copied in between.
    quint64 follows = 0;
    QByteArray bytes;
    QImage image;
    /// Set when the picture's program did not send it whole: why, in the user's words.
    QString failure;
    /// What the clipboard's catcher answered for it as it was read; 0 when none caught it.
    quint64 caught = 0;

    bool isNull() const { return bytes.isEmpty() && image.isNull(); }

    /// Nothing of change \a change: it is gone from the clipboard, or holds no picture.
    static ClipboardPicture none(quint64 change)
    {
        ClipboardPicture picture;
        picture.change = change;
        return picture;
    }
    /// The bytes of an image file, sent for change \a change that followed \a follows.
    static ClipboardPicture sent(quint64 change, quint64 follows, QByteArray bytes)
    {
        ClipboardPicture picture = none(change);
        picture.follows = follows;
        picture.bytes = std::move(bytes);
        return picture;
    }
    /// Change \a change, whose picture could not be had for the reason \a why.
    static ClipboardPicture failed(quint64 change, QString why)
    {
        ClipboardPicture picture = none(change);
        picture.failure = std::move(why);
        return picture;
    }
    /// The picture \a image, in memory already: a window's, grabbed, which no change brought.
    static ClipboardPicture grabbed(QImage image)
    {
        ClipboardPicture picture;
        picture.image = std::move(image);
        return picture;
    }
};

/// The desktop clipboard, as far as Vistrelle needs it. Every change of its content, whoever
/// made it, is one change with its own number. Each picture is read as soon as it is offered,
/// away from the caller's thread, and arrives by a signal: nothing here waits for another
/// program.
class Clipboard : public QObject
{
    Q_OBJECT

public:
    /// Keeps each picture as soon as it is read, on the thread that read it.
    struct Catcher
    {
        /// A place for a picture whose reading begins, in the order readings begin: one read
        /// whole before a picture copied earlier is kept at once, behind that one.
        std::function<quint64()> place;
        /// Keeps \a picture in \a place (0: after all others); answers a number the picture
        /// carries when it arrives (ClipboardPicture::caught), 0 when it kept nothing.
        std::function<quint64(const ClipboardPicture& picture, quint64 place)> keep;
    };

    /// Hands each picture read from now on to \a catcher before it arrives: a program killed
    /// while the picture is on its way to the window finds it kept. An empty one ends this; no
    /// picture is handed to the one before once this returns.
    void catchWith(Catcher catcher);

    /// The number of the clipboard's present content as far as it is known.
    virtual quint64 changeCount() = 0;
    /// Empties the clipboard only while it still holds what change \a change put there; content
    /// that arrived since stays.
    virtual void clearIfStill(quint64 change) = 0;

signals:
    /// The content changed, or may have: ask changeCount().
    void changed();
    /// The picture of a change, in the first format a reader can decode, not decoded yet; or
    /// why it could not be had. A picture replaced before its transfer began never arrives.
    void arrived(const ClipboardPicture& picture);

protected:
    /// The catcher's place for a picture whose reading begins, 0 when there is none; on any thread.
    quint64 placeForCatch();
    /// \a picture as read, handed to the catcher first, in \a place; on any thread.
    ClipboardPicture caught(ClipboardPicture picture, quint64 place = 0);

private:
    QMutex m_catching;
    Catcher m_catcher;
};
