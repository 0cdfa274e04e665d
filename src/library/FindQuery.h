#pragma once

#include <QString>

/// The full-text match for the words a user typed: every word must begin a word of the
/// picture's text or source, in any order; case and accents do not count. Characters with a
/// meaning in the match language are taken as plain text. Empty when \a words holds no letter
/// or digit, and nothing is to be looked for.
QString MatchExpression(const QString& words);

/// The word that stands in the index for a Category or Image Set \a folder ("Category/" or
/// "Category/Image Set/", relative to the library's root), so a search limited to it is one
/// more word to match: letters and digits only, whatever the folder's name.
QString PlaceWord(const QString& folder);

/// \a match (a MatchExpression) as the index takes it: on the pictures' words, titles and
/// programs, never on their place words, and limited to pictures with a file in \a folder (as
/// PlaceWord takes it) unless that is empty.
QString MatchWithin(const QString& match, const QString& folder);
