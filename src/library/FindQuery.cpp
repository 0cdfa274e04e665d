#include "FindQuery.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace {

bool holdsLetterOrDigit(const QString& word)
{
    return std::any_of(word.cbegin(), word.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

} // namespace

QString MatchExpression(const QString& words)
{
    QStringList terms;
    for (QString word : words.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
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
