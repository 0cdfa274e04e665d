#pragma once

#include <QList>
#include <QRect>
#include <QString>

/// The words read from one picture, as the text index keeps them.
struct PictureWords
{
    enum class State {
        NotRead, ///< the index does not hold the picture as it is, or it waits to be read
        Read,    ///< read; the text may hold no word at all
    };
    State state = State::NotRead;
    /// The words in reading order: a space between two words of a line, a line break between lines.
    QString text;
    /// The box of each word of text, in order, in the picture's own pixels; empty for a picture
    /// read before the boxes were kept, until it is read again.
    QList<QRect> boxes;

    /// The words whose boxes lie within \a area (at least half of each), in reading order, the
    /// lines kept; empty when none does.
    QString wordsIn(const QRect& area) const;
    /// The boxes of the words wordsIn() gives for \a area, in reading order.
    QList<QRect> boxesIn(const QRect& area) const;
    /// The boxes of the words that \a query (as typed into the Find box) finds, as Find does:
    /// those that begin with one of its words, or whose part after a punctuation mark does,
    /// case and accents left aside (see MatchedPhrases).
    QList<QRect> matching(const QString& query) const;
};
