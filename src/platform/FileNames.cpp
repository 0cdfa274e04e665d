#include "FileNames.h"

#include <QUtf8StringView>
#include <algorithm>

namespace {

// A byte that is not part of a valid UTF-8 sequence stands for itself as one of 128 unpaired
// low surrogates, which valid UTF-8 never yields.
constexpr char16_t escapeBase = 0xDC00;

bool isEscape(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// The length of the valid UTF-8 sequence at \a at and its code point, or 0 when none starts there.
int sequenceAt(const unsigned char* bytes, qsizetype left, char32_t& point)
{
    const unsigned char lead = bytes[0];
    int length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int n = 1; n < length; ++n) {
        if ((bytes[n] & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (bytes[n] & 0x3F);
    }
    // Overlong forms, surrogates and points beyond Unicode are not valid UTF-8.
    if (point < least || (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
        return 0;
    return length;
}

void appendUtf8(QByteArray& bytes, char32_t point)
{
    if (point < 0x80) {
        bytes += static_cast<char>(point);
    } else if (point < 0x800) {
        bytes += static_cast<char>(0xC0 | (point >> 6));
        bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        bytes += static_cast<char>(0xE0 | (point >> 12));
        bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (point >> 18));
        bytes += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (point & 0x3F));
    }
}

} // namespace

QByteArray NativePath(const QString& path)
{
    const bool plain = std::none_of(path.cbegin(), path.cend(), [](QChar c) { return c.isSurrogate(); });
    if (plain)
        return path.toUtf8();
    QByteArray bytes;
    bytes.reserve(path.size());
    const auto* units = reinterpret_cast<const char16_t*>(path.utf16());
    const qsizetype size = path.size();
    for (qsizetype at = 0; at < size; ++at) {
        const char16_t unit = units[at];
        if (QChar::isHighSurrogate(unit) && at + 1 < size && QChar::isLowSurrogate(units[at + 1])) {
            appendUtf8(bytes, QChar::surrogateToUcs4(unit, units[at + 1]));
            ++at;
        } else if (isEscape(unit)) {
            bytes += static_cast<char>(unit - escapeBase);
        } else if (QChar::isSurrogate(unit)) {
            // Text typed or pasted cannot name such a file; it gets the replacement character.
            appendUtf8(bytes, QChar::ReplacementCharacter);
        } else {
            appendUtf8(bytes, unit);
        }
    }
    return bytes;
}

QString PathFromNative(const QByteArray& bytes)
{
    // Qt's own conversion drops a leading byte-order mark, which is part of a name.
    if (QUtf8StringView(bytes).isValidUtf8() && !bytes.startsWith("\xef\xbb\xbf"))
        return QString::fromUtf8(bytes);
    QString path;
    path.reserve(bytes.size());
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype at = 0; at < size;) {
        char32_t point = data[at];
        if (point < 0x80) {
            path += QChar(static_cast<char16_t>(point));
            ++at;
            continue;
        }
        const int length = sequenceAt(data + at, size - at, point);
        if (length == 0) {
            path += QChar(static_cast<char16_t>(escapeBase + data[at]));
            ++at;
            continue;
        }
        if (QChar::requiresSurrogates(point)) {
            path += QChar(QChar::highSurrogate(point));
            path += QChar(QChar::lowSurrogate(point));
        } else {
            path += QChar(static_cast<char16_t>(point));
        }
        at += length;
    }
    return path;
}
