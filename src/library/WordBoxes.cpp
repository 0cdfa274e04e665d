#include "WordBoxes.h"

#include <limits>
#include <optional>

// Each box, after the one before it (a box at 0,0 of no size before the first), as variable-length
// numbers of 7 bits a byte: its left edge from the right edge of the one before (a few pixels on
// a line, a step back at a new line), its width, and then its top and height as changes from
// the one before, both in one byte when both are small, as they are between two words of a line.

namespace {

// The byte's high half that says top and height follow as numbers of their own.
constexpr quint32 changesApart = 15;
constexpr quint32 changeCap = 16;

quint32 zigzag(qint64 value)
{
    return static_cast<quint32>(value < 0 ? (-value) * 2 - 1 : value * 2);
}

qint64 unzigzag(quint32 value)
{
    return (value & 1) != 0 ? -static_cast<qint64>(value / 2) - 1 : static_cast<qint64>(value / 2);
}

void put(QByteArray& bytes, quint32 value)
{
    while (value >= 0x80) {
        bytes.append(static_cast<char>((value & 0x7f) | 0x80));
        value >>= 7;
    }
    bytes.append(static_cast<char>(value));
}

struct Reader
{
    const QByteArray& bytes;
    qsizetype at = 0;

    std::optional<quint32> byte()
    {
        if (at == bytes.size())
            return std::nullopt;
        return static_cast<quint8>(bytes.at(at++));
    }

    std::optional<quint32> number()
    {
        quint64 value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            const std::optional<quint32> next = byte();
            if (!next)
                return std::nullopt;
            value |= static_cast<quint64>(*next & 0x7f) << shift;
            if ((*next & 0x80) == 0)
                return value <= std::numeric_limits<quint32>::max() ? std::optional<quint32>(value)
                                                                    : std::nullopt;
        }
        return std::nullopt;
    }
};

bool fits(qint64 value)
{
    return value >= 0 && value <= std::numeric_limits<int>::max();
}

} // namespace

QByteArray PackWordBoxes(const QList<QRect>& boxes)
{
    QByteArray bytes;
    bytes.reserve(boxes.size() * 4);
    QRect before(0, 0, 0, 0);
    for (const QRect& box : boxes) {
        put(bytes, zigzag(static_cast<qint64>(box.x()) - before.x() - before.width()));
        put(bytes, static_cast<quint32>(std::max(box.width(), 0)));
        const quint32 down = zigzag(static_cast<qint64>(box.y()) - before.y());
        const quint32 taller = zigzag(static_cast<qint64>(box.height()) - before.height());
        if (down < changesApart && taller < changeCap) {
            bytes.append(static_cast<char>(down << 4 | taller));
        } else {
            bytes.append(static_cast<char>(changesApart << 4));
            put(bytes, down);
            put(bytes, taller);
        }
        before = box;
    }
    return bytes;
}

QList<QRect> UnpackWordBoxes(const QByteArray& packed)
{
    QList<QRect> boxes;
    Reader reader{packed};
    qint64 x = 0;
    qint64 y = 0;
    qint64 width = 0;
    qint64 height = 0;
    while (reader.at < packed.size()) {
        const std::optional<quint32> left = reader.number();
        const std::optional<quint32> wide = reader.number();
        const std::optional<quint32> changes = reader.byte();
        if (!left || !wide || !changes)
            return {};
        std::optional<quint32> down = *changes >> 4;
        std::optional<quint32> taller = *changes & 0xf;
        if (*down == changesApart) {
            down = reader.number();
            taller = reader.number();
            if (!down || !taller)
                return {};
        }
        x += width + unzigzag(*left);
        width = *wide;
        y += unzigzag(*down);
        height += unzigzag(*taller);
        if (!fits(x) || !fits(y) || !fits(width) || !fits(height) || !fits(x + width) || !fits(y + height))
            return {};
        boxes.append(QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                           static_cast<int>(height)));
    }
    return boxes;
}
