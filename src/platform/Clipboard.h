#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>

/// A picture as fetched from the clipboard, not yet decoded: the bytes of an image file in a
/// format the image readers know, or a picture already in memory (one this program put there).
struct ClipboardPicture
{
    quint64 change = 0; ///< the clipboard change that put the picture there
    /// The change before it, leaving out the program's own clearings: when that is the change
    /// of the picture filed last, nothing but this program touched the clipboard in between.
    quint64 follows = 0;
    QByteArray bytes;
    QImage image;
    /// Set when the picture's program did not send it whole: why, in the user's words.
    QString failure;

    bool isNull() const { return bytes.isEmpty() && image.isNull(); }
};

/// The desktop clipboard, as far as Vistrelle needs it. Every change of its content, whoever
/// made it, is one change with its own number. Nothing here waits for another program: the
/// picture's transfer runs elsewhere and is answered by a signal.
class Clipboard : public QObject
{
    Q_OBJECT

public:
    /// The number of the clipboard's present content as far as it is known.
    virtual quint64 changeCount() = 0;
    /// True when the present content is known to offer an image of any format.
    virtual bool hasImage() = 0;
    /// Asks for the picture of change \a change in the first format a reader can decode,
    /// without decoding it. Answered once by fetched(): with the picture, with a failure, or
    /// null when the clipboard holds no picture of that change any more.
    virtual void fetch(quint64 change) = 0;
    /// Puts \a image on the clipboard, replacing what was there; changeCount() tells its change
    /// when this returns.
    virtual void setImage(const QImage& image) = 0;
    /// Empties the clipboard, whatever it holds.
    virtual void clear() = 0;
    /// Empties the clipboard only while it still holds what change \a change put there; content
    /// that arrived since stays.
    virtual void clearIfStill(quint64 change) = 0;

signals:
    /// The content changed, or may have: ask changeCount() and hasImage().
    void changed();
    /// The answer to fetch().
    void fetched(const ClipboardPicture& picture);
};
