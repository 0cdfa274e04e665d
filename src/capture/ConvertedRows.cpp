#include "ConvertedRows.h"

#include <algorithm>

namespace {

// About this many bytes of converted rows at once: a small part of any large picture, and
// rows enough that converting them costs no more than converting the picture whole.
constexpr qint64 bandBytes = 1 << 20;

} // namespace

ConvertedRows::ConvertedRows(const QImage& picture, QImage::Format format)
    : m_picture(picture)
    , m_format(format)
    , m_bandRows(static_cast<int>(
          std::clamp<qint64>(bandBytes / std::max<qint64>(qint64(picture.width()) * 8, 1), 1, 1 << 16)))
{
}

const uchar* ConvertedRows::row(int y)
{
    if (m_picture.format() == m_format)
        return m_picture.constScanLine(y);
    if (m_band.isNull() || y < m_first || y >= m_first + m_band.height()) {
        m_band = QImage(); // the last band goes before the next one comes
        m_first = y;
        const int rows = std::min(m_bandRows, m_picture.height() - y);
        QImage source(m_picture.constScanLine(y), m_picture.width(), rows, m_picture.bytesPerLine(),
                      m_picture.format());
        if (!m_picture.colorTable().isEmpty())
            source.setColorTable(m_picture.colorTable());
        m_band = source.convertToFormat(m_format);
        if (m_band.isNull())
            return nullptr;
    }
    return m_band.constScanLine(y - m_first);
}
