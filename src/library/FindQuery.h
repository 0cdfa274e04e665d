#pragma once

#include <QString>

/// The full-text match for the words a user typed: every word must begin a word of the
/// picture's text or source, in any order; case and accents do not count. Characters with a
/// meaning in the match language are taken as plain text. Empty when \a words holds no letter
/// or digit, and nothing is to be looked for.
QString MatchExpression(const QString& words);
