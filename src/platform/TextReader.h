#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>

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
    QString text;
};

/// Finds the words in pictures. Called from one thread at a time, which need not be the
/// window's; a picture may take seconds.
class TextReader
{
public:
    virtual ~TextReader() = default;
    /// The words in the picture whose file holds \a bytes. Gives up with Stopped soon after
    /// \a stop becomes true.
    virtual TextReading read(const QByteArray& bytes, const std::atomic_bool& stop) = 0;
    /// The languages whose data is installed, as the reader names them ("eng", "deu"), sorted.
    virtual QStringList installedLanguages() = 0;
    /// Reads in \a languages from the next picture on: those of them that are installed,
    /// English when none is.
    virtual void setLanguages(const QStringList& languages) = 0;
    /// Hands back the memory the reader holds between pictures; the next picture loads it again.
    virtual void rest() = 0;
};
