#include "DisplayOrder.h"

#include <algorithm>

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
    std::sort(items.begin(), items.end(),
              [](const QString& a, const QString& b) { return CompareDisplayOrder(a, b) < 0; });
}
