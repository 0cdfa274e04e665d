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
// The squares whose commonest colour is taken for the ground there: larger than a letter.
constexpr int groundSquare = 32;
// Greys this close to a dark ground are that ground.
constexpr int nearGround = 20;

// The commonest colour of each square of \a colours (4 bits a channel tell colours apart),
// row by row.
QList<QRgb> groundColours(const QImage& colours, int across, int down)
{
    QList<QRgb> grounds(qsizetype(across) * down);
    std::vector<quint16> counts(4096);
    for (int square = 0; square < grounds.size(); ++square) {
        const int left = square % across * groundSquare, top = square / across * groundSquare;
        const int right = std::min(left + groundSquare, colours.width());
        const int bottom = std::min(top + groundSquare, colours.height());
        std::fill(counts.begin(), counts.end(), 0);
        int best = 0;
        QRgb ground = 0;
        for (int y = top; y < bottom; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
            for (int x = left; x < right; ++x) {
                const QRgb colour = row[x];
                const int bin = (qRed(colour) >> 4) << 8 | (qGreen(colour) >> 4) << 4 | qBlue(colour) >> 4;
                if (++counts[bin] > best)
                    best = counts[bin], ground = colour;
            }
        }
        grounds[square] = ground;
    }
    return grounds;
}

// How far from grey \a colour is.
int colourfulness(QRgb colour)
{
    return std::max({qRed(colour), qGreen(colour), qBlue(colour)}) -
           std::min({qRed(colour), qGreen(colour), qBlue(colour)});
}

// A ground of black or dark grey, on which a terminal's words may stand in any colour.
bool darkGrey(QRgb ground)
{
    return qGray(ground) < 128 && colourfulness(ground) < 40;
}
// Words in colour on a dark grey or black ground (a terminal's blue or magenta) keep little of
// their contrast in a grey of their brightness; in the brightest of their channels they stand
// out as light text does. On a light ground, or one in colour (white words on a selection's or a
// title bar's blue), the grey of their brightness reads best; and grey words stay as they were.
// Dark grounds themselves become one black: a part of the screen holding a black desktop and a
// dark dialog's grey is otherwise split between the two, and the dialog's words near its edge
// are lost with its ground.
QImage greyForReading(const QImage& picture)
{
    const QImage colours = picture.convertToFormat(QImage::Format_RGB32);
    const int across = (colours.width() + groundSquare - 1) / groundSquare;
    const int down = (colours.height() + groundSquare - 1) / groundSquare;
    const QList<QRgb> grounds = groundColours(colours, across, down);
    QImage grey(colours.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < colours.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        const QRgb* ground = grounds.constData() + qsizetype(y / groundSquare) * across;
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < colours.width(); ++x) {
            const QRgb colour = row[x];
            const QRgb there = ground[x / groundSquare];
            const bool dark = darkGrey(there);
            if (dark && colourfulness(colour) >= 40)
                out[x] = uchar(std::max({qRed(colour), qGreen(colour), qBlue(colour)}));
            else if (dark && std::abs(qGray(colour) - qGray(there)) < nearGround)
                out[x] = 0;
            else
                out[x] = uchar(qGray(colour));
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
