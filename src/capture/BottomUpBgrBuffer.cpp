#include "BottomUpBgrBuffer.h"

#include "ConvertedRows.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace {

constexpr long long largest = std::numeric_limits<int>::max();

long long strideOf(long long width)
{
    return (width * 3 + 3) & ~3LL;
}

Outcome noMemory()
{
    return Outcome::failed(BottomUpBgrBuffer::outOfMemoryError,
                           QCoreApplication::translate("BottomUpBgrBuffer", "Out of memory"));
}

} // namespace

Outcome BottomUpBgrBuffer::overflow()
{
    return Outcome::failed(overflowError, QCoreApplication::translate("BottomUpBgrBuffer",
                                                                      "Overflow: the picture is too large"));
}

int BottomUpBgrBuffer::BytesPerScanLine() const
{
    return static_cast<int>(strideOf(m_width));
}

Outcome BottomUpBgrBuffer::Create(int lWidth, int lHeight)
{
    const long long stride = strideOf(lWidth);
    if (stride > largest || stride * lHeight > largest || stride * lHeight < -largest) {
        ClearUp();
        m_width = m_height = 0;
        return overflow();
    }
    m_width = lWidth;
    m_height = lHeight;
    if (lWidth < 1 || lHeight < 1) {
        ClearUp();
        return noMemory();
    }
    const auto bytes = static_cast<size_t>(stride * lHeight);
    if (m_bits && bytes <= m_capacity)
        return {};
    ClearUp();
    try {
        m_bits = std::make_unique_for_overwrite<unsigned char[]>(bytes);
    } catch (const std::bad_alloc&) {
        return noMemory();
    }
    m_capacity = bytes;
    return {};
}

Outcome BottomUpBgrBuffer::CreateFromPicture(const QImage& picThis)
{
    if (picThis.isNull()) {
        ClearUp();
        return noMemory();
    }
    Outcome created = Create(picThis.width(), picThis.height());
    if (created.done())
        LoadPictureBlt(picThis);
    return created;
}

QImage BottomUpBgrBuffer::Canvas(int lWidth, int lHeight, QImage::Format format)
{
    const long long pitch = 4LL * lWidth;
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32) || lWidth < 1 || lHeight < 1 ||
        pitch * lHeight > largest)
        return {};
    const auto bytes = static_cast<size_t>(pitch * lHeight);
    if (!m_bits || bytes > m_capacity) {
        ClearUp();
        try {
            m_bits = std::make_unique_for_overwrite<unsigned char[]>(bytes);
        } catch (const std::bad_alloc&) {
            return {};
        }
        m_capacity = bytes;
    }
    return QImage(m_bits.get(), lWidth, lHeight, pitch, format);
}

Outcome BottomUpBgrBuffer::CreateFromCanvas(QImage& canvas)
{
    const bool inPlace =
        !canvas.isNull() && canvas.constBits() == m_bits.get() &&
        canvas.bytesPerLine() == 4LL * canvas.width() &&
        (canvas.format() == QImage::Format_RGB32 || canvas.format() == QImage::Format_ARGB32);
    if (!inPlace) {
        Outcome created = CreateFromPicture(canvas);
        canvas = QImage();
        return created;
    }
    m_width = canvas.width();
    m_height = canvas.height();
    canvas = QImage();
    unsigned char* bits = m_bits.get();
    const qsizetype pitch = 4LL * m_width;
    const int stride = BytesPerScanLine();
    const int fill = stride - m_width * 3;
    // Row by row from the top, each 24-bit row written no further on than its 32-bit row lay:
    // no byte is overwritten before it has been read.
    for (int y = 0; y < m_height; ++y) {
        const unsigned char* from = bits + y * pitch;
        unsigned char* to = bits + static_cast<qsizetype>(y) * stride;
        for (int x = 0; x < m_width; ++x) {
            QRgb pixel;
            std::memcpy(&pixel, from + 4LL * x, sizeof pixel);
            to[0] = static_cast<unsigned char>(qBlue(pixel));
            to[1] = static_cast<unsigned char>(qGreen(pixel));
            to[2] = static_cast<unsigned char>(qRed(pixel));
            to += 3;
        }
        std::memset(to, 0, static_cast<size_t>(fill));
    }
    // Then upside down, the bottom row first.
    std::vector<unsigned char> row(static_cast<size_t>(stride));
    for (int y = 0; y < m_height / 2; ++y) {
        unsigned char* top = bits + static_cast<qsizetype>(y) * stride;
        unsigned char* bottom = bits + static_cast<qsizetype>(m_height - 1 - y) * stride;
        std::memcpy(row.data(), top, row.size());
        std::memcpy(top, bottom, row.size());
        std::memcpy(bottom, row.data(), row.size());
    }
    return {};
}

void BottomUpBgrBuffer::LoadPictureBlt(const QImage& source, int lSrcLeft, int lSrcTop, int lSrcWidth,
                                       int lSrcHeight)
{
    if (!m_bits)
        return;
    const int width = lSrcWidth < 0 ? m_width : lSrcWidth;
    const int height = lSrcHeight < 0 ? m_height : lSrcHeight;
    const bool asIs = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32;
    ConvertedRows pixels(source, asIs ? source.format() : QImage::Format_RGB32);
    const int stride = BytesPerScanLine();
    const int columns = std::min({width, m_width, source.width() - lSrcLeft});
    const int rows = std::min({height, m_height, source.height() - lSrcTop});
    if (lSrcLeft < 0 || lSrcTop < 0 || columns <= 0 || rows <= 0)
        return;
    const int fill = stride - m_width * 3;
    for (int y = 0; y < rows; ++y) {
        const uchar* row = pixels.row(lSrcTop + y);
        if (!row)
            return;
        const auto* from = reinterpret_cast<const QRgb*>(row) + lSrcLeft;
        unsigned char* to = m_bits.get() + static_cast<qsizetype>(m_height - 1 - y) * stride;
        for (int x = 0; x < columns; ++x) {
            const QRgb pixel = from[x];
            to[0] = static_cast<unsigned char>(qBlue(pixel));
            to[1] = static_cast<unsigned char>(qGreen(pixel));
            to[2] = static_cast<unsigned char>(qRed(pixel));
            to += 3;
        }
        // The fill bytes end up in bitmap files: keep them 0 rather than old heap contents.
        if (columns == m_width)
            std::memset(to, 0, static_cast<size_t>(fill));
    }
}

void BottomUpBgrBuffer::ClearUp()
{
    m_bits.reset();
    m_capacity = 0;
}
