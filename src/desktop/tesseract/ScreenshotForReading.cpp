#include "ScreenshotForReading.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// A screenshot of eight 4K screens side by side still fits; a file claiming more is a bomb.
constexpr qint64 mostPixels = 8LL * 3840 * 2160;
constexpr int decodeLimitMegabytes = 320;
// Pictures up to this height hold screen text too small for the recognizer's models.
constexpr int enlargeUpToHeight = 1600;
// The squares whose ground is told apart: smaller than the gap between a window's edge and its
// words, so that a square holding both a black desktop and a light dialog is seldom beside one.
constexpr int groundSquare = 8;
// Each square's ground is the commonest colour of it and this many pixels around it: enough
// ground that a letter's ink never outnumbers it.
constexpr int groundMargin = 4;
// The strongest ink of the squares this far around sets the contrast of the words there.
constexpr int contrastSquares = 2;
// Faint words (grey on dark grey, a terminal's dark blue on black) are given at most twice their
// contrast: more made black words' strokes run together ("rn" read as "m").
constexpr int faintestInk = 128;

// The commonest colour about each square of \a colours (4 bits a channel tell colours apart),
// row by row.
QList<QRgb> groundColours(const QImage& colours, int across, int down)
{
    QList<QRgb> grounds(qsizetype(across) * down);
    std::vector<quint16> counts(4096);
    const auto bin = [](QRgb colour) {
        return (qRed(colour) >> 4) << 8 | (qGreen(colour) >> 4) << 4 | qBlue(colour) >> 4;
    };
    for (int square = 0; square < grounds.size(); ++square) {
        const int x0 = square % across * groundSquare, y0 = square / across * groundSquare;
        const int left = std::max(x0 - groundMargin, 0), top = std::max(y0 - groundMargin, 0);
        const int right = std::min(x0 + groundSquare + groundMargin, colours.width());
        const int bottom = std::min(y0 + groundSquare + groundMargin, colours.height());
        int best = 0;
        QRgb ground = 0;
        for (int y = top; y < bottom; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
            for (int x = left; x < right; ++x)
                if (++counts[bin(row[x])] > best)
                    best = counts[bin(row[x])], ground = row[x];
        }
        for (int y = top; y < bottom; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
            for (int x = left; x < right; ++x)
                counts[bin(row[x])] = 0;
        }
        grounds[square] = ground;
    }
    return grounds;
}

// How far \a colour stands from \a ground: in its most different channel, so that words in
// colour keep the contrast a grey of their brightness would lose.
int inkOn(QRgb colour, QRgb ground)
{
    return std::max({std::abs(qRed(colour) - qRed(ground)), std::abs(qGreen(colour) - qGreen(ground)),
                     std::abs(qBlue(colour) - qBlue(ground))});
}

// For each square, the strongest ink of the squares about it.
std::vector<int> strongestInk(const QImage& colours, const QList<QRgb>& grounds, int across, int down)
{
    std::vector<int> own(grounds.size(), 0);
    for (int y = 0; y < colours.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        for (int x = 0; x < colours.width(); ++x) {
            const qsizetype square = qsizetype(y / groundSquare) * across + x / groundSquare;
            own[square] = std::max(own[square], inkOn(row[x], grounds[square]));
        }
    }
    std::vector<int> about(grounds.size(), 0);
    for (int down0 = 0; down0 < down; ++down0)
        for (int across0 = 0; across0 < across; ++across0)
            for (int y = std::max(down0 - contrastSquares, 0);
                 y <= std::min(down0 + contrastSquares, down - 1); ++y)
                for (int x = std::max(across0 - contrastSquares, 0);
                     x <= std::min(across0 + contrastSquares, across - 1); ++x)
                    about[down0 * across + across0] =
                        std::max(about[down0 * across + across0], own[y * across + x]);
    return about;
}

// Each pixel as ink against the ground about it: every ground white, the words dark on it, in
// any style. A dark dialog or a terminal's black then stands beside a light window as one white,
// where a threshold for both (a black desktop beside a light dialog) lost thin grey strokes, and
// one threshold suits the whole picture.
QImage greyForReading(const QImage& picture)
{
    const QImage colours = picture.convertToFormat(QImage::Format_RGB32);
    const int across = (colours.width() + groundSquare - 1) / groundSquare;
    const int down = (colours.height() + groundSquare - 1) / groundSquare;
    const QList<QRgb> grounds = groundColours(colours, across, down);
    const std::vector<int> strongest = strongestInk(colours, grounds, across, down);
    QImage grey(colours.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < colours.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < colours.width(); ++x) {
            const qsizetype square = qsizetype(y / groundSquare) * across + x / groundSquare;
            const int ink = inkOn(row[x], grounds[square]) * 255 / std::max(strongest[square], faintestInk);
            out[x] = uchar(255 - std::min(ink, 255));
        }
    }
    return grey;
}

} // namespace

PictureForReading ScreenshotForReading(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(decodeLimitMegabytes);
    // Where the type tells the size in advance; the allocation limit guards the others.
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > mostPixels)
        return {};
    const QImage read = reader.read();
    QImage picture = read.isNull() ? read : greyForReading(read);
    if (picture.isNull() || picture.height() > enlargeUpToHeight)
        return {picture, 1};
    return {picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), 2};
}
