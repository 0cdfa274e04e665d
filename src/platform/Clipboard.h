#pragma once

#include <QImage>

/// The desktop clipboard, as far as Vistrelle needs it.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    /// True when an image of any format is on the clipboard. Cheap when nothing has changed
    /// since the last call.
    virtual bool hasImage() = 0;
    /// The image on the clipboard; a null image when there is none or it cannot be read.
    virtual QImage image() = 0;
    /// Puts \a image on the clipboard, replacing what was there.
    virtual void setImage(const QImage& image) = 0;
    /// Empties the clipboard.
    virtual void clear() = 0;
    /// A number that changes whenever the clipboard's contents change, whoever changed them.
    virtual quint64 changeCount() = 0;
};
