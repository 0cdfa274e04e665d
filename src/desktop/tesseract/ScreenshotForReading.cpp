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
// The squares whose ground is found: small, so that where two parts of the screen meet few
// pixels are given the other part's ground.
constexpr int groundSquare = 8;
// Each square's ground is the commonest colour of it and this many pixels around it: enough
// ground that a letter's ink never outnumbers it.
constexpr int groundMargin = 4;
// A run of one colour this long, across or down, is ground: longer than any letter's stroke.
constexpr int groundRun = 24;
// Colours this close are one ground; farther, they are grounds of two parts of the screen.
constexpr int sameGround = 8;
constexpr int otherGround = 20;
// Where two grounds meet, ink takes the ground found nearest to it, this far at most.
constexpr int groundReach = 6;

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

// Whether each pixel of \a colours, row by row, lies in a run of ground.
std::vector<bool> groundPixels(const QImage& colours)
{
    const int width = colours.width(), height = colours.height();
    std::vector<bool> ground(qsizetype(width) * height, false);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        for (int start = 0; start < width;) {
            int end = start + 1;
            while (end < width && inkOn(row[end], row[start]) <= sameGround)
                ++end;
            if (end - start >= groundRun)
                std::fill_n(ground.begin() + qsizetype(y) * width + start, end - start, true);
            start = end;
        }
    }
    // Down each column at once, row by row: where each column's run began, and its colour.
    std::vector<int> began(width, 0);
    std::vector<QRgb> beganIn(reinterpret_cast<const QRgb*>(colours.constScanLine(0)),
                              reinterpret_cast<const QRgb*>(colours.constScanLine(0)) + width);
    const auto end = [&](int x, int y) {
        if (y - began[x] >= groundRun)
            for (int in = began[x]; in < y; ++in)
                ground[qsizetype(in) * width + x] = true;
    };
    for (int y = 1; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (inkOn(row[x], beganIn[x]) > sameGround) {
                end(x, y);
                began[x] = y;
                beganIn[x] = row[x];
            }
        }
    }
    for (int x = 0; x < width; ++x)
        end(x, height);
    return ground;
}

// Whether the grounds about each square differ: two parts of the screen meet there.
std::vector<bool> groundEdges(const QList<QRgb>& grounds, int across, int down)
{
    std::vector<bool> edges(grounds.size(), false);
    for (int row = 0; row < down; ++row)
        for (int column = 0; column < across; ++column)
            for (int y = std::max(row - 1, 0); y <= std::min(row + 1, down - 1); ++y)
                for (int x = std::max(column - 1, 0); x <= std::min(column + 1, across - 1); ++x)
                    if (inkOn(grounds[y * across + x], grounds[row * across + column]) > otherGround)
                        edges[row * across + column] = true;
    return edges;
}

// The ground of the pixel at \a x, \a y where two grounds meet: its own colour where it lies in
// a run of ground, else that of the nearest ground pixel across or down. A square's commonest
// colour there may be the other part's: a black desktop's beside a light terminal's first
// letters, black as the desktop, which then stood out white on black.
QRgb groundAtEdge(const QImage& colours, const std::vector<bool>& ground, int x, int y, QRgb square)
{
    const int width = colours.width();
    for (int step = 0; step <= groundReach; ++step) {
        const QPoint near[] = {{x - step, y}, {x + step, y}, {x, y - step}, {x, y + step}};
        for (const QPoint& at : near)
            if (at.x() >= 0 && at.y() >= 0 && at.x() < width && at.y() < colours.height() &&
                ground[qsizetype(at.y()) * width + at.x()])
                return reinterpret_cast<const QRgb*>(colours.constScanLine(at.y()))[at.x()];
    }
    return square;
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
    const std::vector<bool> edges = groundEdges(grounds, across, down);
    const std::vector<bool> ground = groundPixels(colours);
    QImage grey(colours.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < colours.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < colours.width(); ++x) {
            const qsizetype square = qsizetype(y / groundSquare) * across + x / groundSquare;
            const QRgb there =
                edges[square] ? groundAtEdge(colours, ground, x, y, grounds[square]) : grounds[square];
            out[x] = uchar(255 - inkOn(row[x], there));
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
