#include "DisplayOrder.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

int characterClass(QChar c)
{
    if (c.isDigit())
        return 1;
    if (c.isLetter())
        return 2;
    return 0;
}

} // namespace

int CompareDisplayOrder(const QString& a, const QString& b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const QChar x = a.at(i).toCaseFolded();
        const QChar y = b.at(i).toCaseFolded();
        if (x == y)
            continue;
        const int classDifference = characterClass(x) - characterClass(y);
        if (classDifference != 0)
            return classDifference;
        return x.unicode() < y.unicode() ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    // Names that differ only in case still get one fixed order, so lists never flicker.
    return a.compare(b, Qt::CaseSensitive);
}

void SortForDisplay(QStringList& items)
{
    // Each text folded once into a key that compares like CompareDisplayOrder (class, then
    // the folded character; a shorter text first), instead of at every comparison.
    struct Keyed
    {
        std::u32string key;
        QString text;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<size_t>(items.size()));
    for (QString& text : items) {
        std::u32string key;
        key.reserve(static_cast<size_t>(text.size()));
        for (const QChar c : std::as_const(text)) {
            const QChar folded = c.toCaseFolded();
            key.push_back(static_cast<char32_t>(characterClass(folded)) << 16 | folded.unicode());
        }
        keyed.push_back({std::move(key), std::move(text)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.text.compare(b.text, Qt::CaseSensitive) < 0;
    });
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i] = std::move(keyed[static_cast<size_t>(i)].text);
}
