#include "DisplayOrder.h"

#include <algorithm>
#include <array>
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

// The display order's key: for each UTF-16 unit, the place of its folded form among single
// characters, by class, then by the folded character. Texts compare in display order as the
// sequences of their units' places do, but for texts that differ only in letter case.
const std::array<char16_t, 0x10000>& foldedRanks()
{
    static const auto ranks = [] {
        std::array<char16_t, 0x10000> placeOf{};
        char16_t next = 0;
        for (int wanted = 0; wanted < 3; ++wanted)
            for (int c = 0; c < 0x10000; ++c)
                if (characterClass(QChar(c)) == wanted)
                    placeOf[c] = next++;
        std::array<char16_t, 0x10000> folded{};
        for (int c = 0; c < 0x10000; ++c)
            folded[c] = placeOf[QChar(c).toCaseFolded().unicode()];
        return folded;
    }();
    return ranks;
}

} // namespace

int CompareDisplayOrder(const QString& a, const QString& b)
{
    // The key of SortForDisplay, read character by character.
    const std::array<char16_t, 0x10000>& ranks = foldedRanks();
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = ranks[a.at(i).unicode()];
        const char16_t y = ranks[b.at(i).unicode()];
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    // Names that differ only in case still get one fixed order, so lists never flicker.
    return a.compare(b, Qt::CaseSensitive);
}

void SortForDisplay(QStringList& items, qsizetype from)
{
    // Each text folded once into its key, all keys in one buffer: no allocation per text. Each
    // entry carries the first units of its key past the beginning all keys share, so that most
    // comparisons never reach into the buffer.
    const std::array<char16_t, 0x10000>& ranks = foldedRanks();
    qsizetype total = 0;
    for (const QString& text : std::as_const(items))
        total += std::max<qsizetype>(0, text.size() - from);
    QString keys(total, Qt::Uninitialized);
    char16_t* key = reinterpret_cast<char16_t*>(keys.data());
    struct Keyed
    {
        quint64 head[2]; // units shared + 0 to 7, four to a word, first unit highest; 0 past the end
        qsizetype start;
        qsizetype length;
        qsizetype item;
    };
    std::vector<Keyed> order;
    order.reserve(static_cast<size_t>(items.size()));
    qsizetype at = 0;
    qsizetype shared = 0; // units at the beginning of every key that are the same in all
    for (qsizetype item = 0; item < items.size(); ++item) {
        const QString& text = items.at(item);
        const qsizetype start = at;
        for (qsizetype i = from; i < text.size(); ++i)
            key[at++] = ranks[text.at(i).unicode()];
        const qsizetype length = at - start;
        if (order.empty()) {
            shared = length;
        } else {
            const char16_t* first = key + order.front().start;
            shared = std::mismatch(first, first + std::min(shared, length), key + start).first - first;
        }
        order.push_back({{0, 0}, start, length, item});
    }
    for (Keyed& keyed : order)
        for (qsizetype unit = 0; unit < 8; ++unit) {
            const qsizetype i = shared + unit;
            keyed.head[unit / 4] |= quint64(i < keyed.length ? key[keyed.start + i] : 0)
                                    << (48 - 16 * (unit % 4));
        }
    const QStringView all(keys);
    std::sort(order.begin(), order.end(), [&all, &items, from](const Keyed& a, const Keyed& b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        const int byKey = all.mid(a.start, a.length).compare(all.mid(b.start, b.length));
        if (byKey != 0)
            return byKey < 0;
        return QStringView(items.at(a.item)).mid(from).compare(QStringView(items.at(b.item)).mid(from)) < 0;
    });
    QStringList sorted;
    sorted.reserve(items.size());
    for (const Keyed& keyed : order)
        sorted.append(std::move(items[keyed.item]));
    items = std::move(sorted);
}
