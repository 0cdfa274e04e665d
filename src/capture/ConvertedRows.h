#pragma once

#include <QImage>

/// The rows of a picture in a format of the caller's, converted a band of rows at a time, so
/// that a large picture in another format (a palette, 24 bits, other channels) is never held a
/// second time whole; a picture in that format already is read where it lies. The picture must
/// outlive the rows.
class ConvertedRows
{
public:
    ConvertedRows(const QImage& picture, QImage::Format format);

    /// Row \a y in the format, good until a row outside its band is asked for; null when the
    /// memory for the band cannot be had.
    const uchar* row(int y);

private:
    const QImage& m_picture;
    QImage::Format m_format;
    int m_bandRows;
    QImage m_band;
    int m_first = 0;
};
