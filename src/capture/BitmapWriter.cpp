#include "BitmapWriter.h"

#include "BottomUpBgrBuffer.h"

#include <cstring>
#include <limits>

namespace {

void putLe(char* at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

} // namespace

Outcome EncodeBitmapFile(const BottomUpBgrBuffer& dib, QByteArray& file)
{
    constexpr int headers = 14 + 40;
    const int stride = dib.BytesPerScanLine();
    const long long sizeImage = static_cast<long long>(stride) * dib.Height();
    if (sizeImage + headers > std::numeric_limits<int>::max())
        return BottomUpBgrBuffer::overflow();
    // In the memory the bytes held before, when there is enough of it.
    file.resize(headers + static_cast<qsizetype>(sizeImage));
    char* at = file.data();
    std::memset(at, 0, headers);
    at[0] = 'B';
    at[1] = 'M';
    putLe(at + 2, static_cast<quint32>(file.size()), 4);
    putLe(at + 10, headers, 4);
    putLe(at + 14, 40, 4);
    putLe(at + 18, static_cast<quint32>(dib.Width()), 4);
    putLe(at + 22, static_cast<quint32>(dib.Height()), 4);
    putLe(at + 26, 1, 2);
    putLe(at + 28, 24, 2);
    putLe(at + 34, static_cast<quint32>(sizeImage), 4);
    if (dib.DIBSectionBitsPtr())
        std::memcpy(at + headers, dib.DIBSectionBitsPtr(), static_cast<size_t>(sizeImage));
    else
        std::memset(at + headers, 0, static_cast<size_t>(sizeImage));
    return {};
}
