#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// The full-text match for the words a user typed: every word must begin a word of the
/// picture's text or source, in any order; case and accents do not count. Characters with a
/// meaning in the match language are taken as plain text. Empty when \a words holds no letter
/// or digit, and nothing is to be looked for.
QString MatchExpression(const QString& words);

/// The words of \a text as the index takes them apart and compares them: runs of letters and
/// digits (an accent is part of its letter), case and accents left aside.
QStringList FoldedTokens(const QString& text);

/// What each word a user typed matches, as MatchExpression has the index match it: a run of
/// FoldedTokens of the text, the last of which only begins with the word's last. Words without
/// a letter or digit are left out.
QList<QStringList> MatchedPhrases(const QString& words);

/// The word that stands in the index for a Category or Image Set \a folder ("Category/" or
/// "Category/Image Set/", relative to the library's root), so a search limited to it is one
/// more word to match: letters and digits only, whatever the folder's name.
QString PlaceWord(const QString& folder);

/// \a match (a MatchExpression) as the index takes it: on the pictures' words, titles and
/// programs, never on their place words, and limited to pictures with a file in \a folder (as
/// PlaceWord takes it) unless that is empty.
QString MatchWithin(const QString& match, const QString& folder);
