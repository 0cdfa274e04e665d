#include "DisplayOrder.h"

#include <algorithm>
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

std::u32string DisplayOrderKey(const QString& text)
{
    std::u32string key;
    key.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text) {
        const QChar folded = c.toCaseFolded();
        key.push_back(static_cast<char32_t>(characterClass(folded)) << 16 | folded.unicode());
    }
    return key;
}

int CompareDisplayOrder(const QString& a, const QString& b)
{
    if (const int order = DisplayOrderKey(a).compare(DisplayOrderKey(b)))
        return order;
    // Names that differ only in case still get one fixed order, so lists never flicker.
    return a.compare(b, Qt::CaseSensitive);
}

void SortForDisplay(QStringList& items)
{
    // Each text folded once into its key, instead of at every comparison.
    struct Keyed
    {
        std::u32string key;
        QString text;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<size_t>(items.size()));
    for (QString& text : items)
        keyed.push_back({DisplayOrderKey(text), std::move(text)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.text.compare(b.text, Qt::CaseSensitive) < 0;
    });
    for (qsizetype i = 0; i < items.size(); ++i)
        items[i] = std::move(keyed[static_cast<size_t>(i)].text);
}
