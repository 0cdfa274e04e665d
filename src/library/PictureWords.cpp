#include "PictureWords.h"

#include "FindQuery.h"

#include <QStringList>

namespace {

// The words of \a text, line by line.
QList<QStringList> linesOf(const QString& text)
{
    QList<QStringList> lines;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines.append(line.split(QLatin1Char(' '), Qt::SkipEmptyParts));
    return lines;
}

qsizetype wordCount(const QList<QStringList>& lines)
{
    qsizetype count = 0;
    for (const QStringList& line : lines)
        count += line.size();
    return count;
}

qint64 areaOf(const QRect& box)
{
    return static_cast<qint64>(box.width()) * box.height();
}

bool mostlyWithin(const QRect& box, const QRect& area)
{
    const QRect inside = box.intersected(area);
    return !inside.isEmpty() && areaOf(inside) * 2 >= areaOf(box);
}

} // namespace

QString PictureWords::wordsIn(const QRect& area) const
{
    const QList<QStringList> lines = linesOf(text);
    // Boxes that are not one for each word belong to no words in particular.
    if (wordCount(lines) != boxes.size())
        return {};
    QStringList chosenLines;
    qsizetype word = 0;
    for (const QStringList& line : lines) {
        QStringList chosen;
        for (const QString& each : line)
            if (mostlyWithin(boxes.at(word++), area))
                chosen.append(each);
        if (!chosen.isEmpty())
            chosenLines.append(chosen.join(QLatin1Char(' ')));
    }
    return chosenLines.join(QLatin1Char('\n'));
}

QList<QRect> PictureWords::boxesIn(const QRect& area) const
{
    if (wordCount(linesOf(text)) != boxes.size())
        return {};
    QList<QRect> within;
    for (const QRect& box : boxes)
        if (mostlyWithin(box, area))
            within.append(box);
    return within;
}

QList<QRect> PictureWords::matching(const QString& query) const
{
    const QList<QStringList> lines = linesOf(text);
    if (wordCount(lines) != boxes.size())
        return {};
    // The text's tokens one after the other, as the index holds them, each with its word: a
    // phrase typed may run on from one word into the next ("report.pdf" finds "report pdf").
    QStringList tokens;
    QList<qsizetype> wordOf;
    qsizetype word = 0;
    for (const QStringList& line : lines) {
        for (const QString& each : line) {
            for (const QString& token : FoldedTokens(each)) {
                tokens.append(token);
                wordOf.append(word);
            }
            ++word;
        }
    }
    QList<bool> found(boxes.size(), false);
    for (const QStringList& phrase : MatchedPhrases(query)) {
        for (qsizetype start = 0; start + phrase.size() <= tokens.size(); ++start) {
            bool matches = true;
            for (qsizetype n = 0; matches && n < phrase.size(); ++n) {
                const QString& token = tokens.at(start + n);
                matches = n + 1 < phrase.size() ? token == phrase.at(n) : token.startsWith(phrase.at(n));
            }
            for (qsizetype n = 0; matches && n < phrase.size(); ++n)
                found[wordOf.at(start + n)] = true;
        }
    }
    QList<QRect> matched;
    for (qsizetype n = 0; n < boxes.size(); ++n)
        if (found.at(n))
            matched.append(boxes.at(n));
    return matched;
}
