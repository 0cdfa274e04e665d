#pragma once

#include "ReadingControl.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

/// What reading the words of one picture came to.
struct TextReading
{
    enum class Kind {
        Read,        ///< text holds the words found, perhaps none
        Unreadable,  ///< no picture the reader can decode, or one too large to: not worth another try
        Stopped,     ///< given up on request; nothing is known about the picture
        Unavailable, ///< the reader cannot work at all (its language data is missing): text says why
    };
    Kind kind = Kind::Read;
    /// The words found, in reading order: a space between the words of a line, a line break
    /// between lines, and no other white space, so the n-th word is the n-th of boxes; for
    /// Unavailable, why.
    QString text;
    /// The box of each word of text, in order, in the picture's own pixels.
    QList<QRect> boxes;
};

/// How soon the words of a picture are wanted.
enum class ReadingHaste {
    Library, ///< one of the library's: read as the machine has time, yet never left for ever
    Capture, ///< just captured: to be found within a minute however busy the machine is
};

/// Finds the words in pictures. Called from one thread at a time, which need not be the
/// window's; a picture may take seconds.
class TextReader
{
public:
    virtual ~TextReader() = default;
    /// The words in the picture whose file holds \a bytes, read with \a haste. Gives up with
    /// Stopped soon after \a control says stop, and waits while it holds the reading.
    virtual TextReading read(const QByteArray& bytes, const ReadingControl& control, ReadingHaste haste) = 0;
    /// The languages whose data is installed, as the reader names them ("eng", "deu"), sorted.
    virtual QStringList installedLanguages() = 0;
    /// Reads in \a languages from the next picture on: those of them that are installed,
    /// English when none is.
    virtual void setLanguages(const QStringList& languages) = 0;
    /// Hands back the memory the reader holds between pictures; the next picture loads it again.
    virtual void rest() = 0;
    /// From any thread, as the control's hold has just begun: a reader that can stop using the
    /// processor at once does so here; the others wait at their next chance.
    virtual void holdNow() {}
};
