#pragma once

#include "LibraryPictures.h"
#include "PictureWords.h"
#include "platform/Outcome.h"

#include <QList>
#include <QString>

/// A picture Find found.
struct FoundPicture
{
    QString path; ///< absolute
    QString category;
    QString imageSet;
};

/// The reading side of a library's text index, for the Find box and `--find`: it opens the
/// database afresh for each question, so it never holds an index that was started anew, and
/// never writes.
class IndexSearch
{
public:
    /// The index of the library at \a root (ending in "/") in the database \a file.
    IndexSearch(QString root, QString file);

    /// The error of an index that cannot be opened: missing, damaged or of another version.
    static constexpr int cannotOpenError = 1;

    /// Gives \a found the pictures whose words or source hold every word of \a words (see
    /// MatchExpression), newest first, those below \a within only (a Category or Image Set
    /// folder, relative to the root and ending in "/"; empty for the whole library). Files that
    /// no longer exist are left out; at most \a limit are given, all when it is 0. Fails, \a
    /// found left empty, when the index cannot be opened: no answer at all.
    Outcome find(const QString& words, QList<FoundPicture>& found, const QString& within = QString(),
                 int limit = 0) const;

    /// How many of \a pictures (the library as it is now) are not read yet: those the index
    /// does not hold as they are, and those it holds still waiting.
    int unread(const QList<LibraryPicture>& pictures) const;

    /// Gives \a words those read from the picture in the file at \a path (absolute), with their
    /// boxes; NotRead when the index does not hold the file as it is on disk, or has not read it
    /// yet. Fails, \a words NotRead, when the index cannot be opened.
    Outcome wordsOf(const QString& path, PictureWords& words) const;

private:
    Outcome cannotOpen() const;

    QString m_root;
    QString m_file;
};
