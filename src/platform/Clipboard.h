#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>

/// A picture as fetched from the clipboard, not yet decoded: the bytes of an image file in a
/// format the image readers know, or a picture already in memory (one this program put there).
struct ClipboardPicture
{
    quint64 change = 0; ///< the clipboard change that put the picture there
    QByteArray bytes;
    QImage image;

    bool isNull() const { return bytes.isEmpty() && image.isNull(); }
};

/// The desktop clipboard, as far as Vistrelle needs it. Every change of its content, whoever
/// made it, is one change with its own number.
class Clipboard : public QObject
{
    Q_OBJECT

public:
    /// The number of the clipboard's present content; it changes whenever the content changes.
    virtual quint64 changeCount() = 0;
    /// True when an image of any format is on the clipboard. Cheap when nothing has changed
    /// since the last call.
    virtual bool hasImage() = 0;
    /// The picture on the clipboard in the first format a reader can decode, without decoding
    /// it; null when there is none.
    virtual ClipboardPicture fetch() = 0;
    /// Puts \a image on the clipboard, replacing what was there.
    virtual void setImage(const QImage& image) = 0;
    /// Empties the clipboard, whatever it holds.
    virtual void clear() = 0;
    /// Empties the clipboard only while it still holds what change \a change put there; content
    /// that arrived since stays.
    virtual void clearIfStill(quint64 change) = 0;

signals:
    /// The content changed, or may have: ask changeCount().
    void changed();
};
