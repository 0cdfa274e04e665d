#include "FindQuery.h"

#include "platform/FileNames.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace {

bool holdsLetterOrDigit(const QString& word)
{
    return std::any_of(word.cbegin(), word.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

QStringList typedWords(const QString& words)
{
    return words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Place words begin with "place"; a match holding no word that begins with a "p" (case and
// accents folded as the index folds them) cannot meet one.
bool mayMeetPlaceWords(const QString& match)
{
    bool wordStart = true;
    for (const QChar c : match.normalized(QString::NormalizationForm_D).toCaseFolded()) {
        if (c.isMark())
            continue;
        const bool inWord = c.isLetterOrNumber();
        if (inWord && wordStart && c == QLatin1Char('p'))
            return true;
        wordStart = !inWord;
    }
    return false;
}

} // namespace

QString MatchExpression(const QString& words)
{
    QStringList terms;
    for (QString word : typedWords(words)) {
        // A word of punctuation alone would be an empty phrase, which matches nothing.
        if (!holdsLetterOrDigit(word))
            continue;
        // Quoted, the word is a phrase of the tokens it holds ("report.pdf" is "report pdf"),
        // whose last token is a prefix.
        word.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        terms.append(QLatin1Char('"') + word + QStringLiteral("\"*"));
    }
    return terms.join(QLatin1Char(' '));
}

QStringList FoldedTokens(const QString& text)
{
    // As the index's tokenizer: lower case, then accents taken off the letters they belong to;
    // the private use characters of symbol fonts count as letters.
    QStringList tokens;
    QString token;
    for (const char32_t c : text.toLower().normalized(QString::NormalizationForm_D).toUcs4()) {
        if (QChar::isMark(c))
            continue;
        if (QChar::isLetterOrNumber(c) || QChar::category(c) == QChar::Other_PrivateUse)
            token.append(QStringView(QChar::fromUcs4(c)));
        else if (!token.isEmpty())
            tokens.append(std::exchange(token, QString()));
    }
    if (!token.isEmpty())
        tokens.append(token);
    return tokens;
}

QList<QStringList> MatchedPhrases(const QString& words)
{
    QList<QStringList> phrases;
    for (const QString& word : typedWords(words))
        if (holdsLetterOrDigit(word))
            phrases.append(FoldedTokens(word));
    return phrases;
}

QString PlaceWord(const QString& folder)
{
    return QStringLiteral("place") +
           QString::fromLatin1(
               QCryptographicHash::hash(NativePath(folder), QCryptographicHash::Sha1).toHex().left(20));
}

QString MatchWithin(const QString& match, const QString& folder)
{
    // Keeping the words to their columns costs a common word's search half as much again, so
    // only a match that could meet a place word is kept to them.
    const QString words = mayMeetPlaceWords(match)
                              ? QStringLiteral("{text title program} : (") + match + QLatin1Char(')')
                              : QLatin1Char('(') + match + QLatin1Char(')');
    return folder.isEmpty() ? words : words + QStringLiteral(" AND place : ") + PlaceWord(folder);
}
