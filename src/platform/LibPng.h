#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

/// How the rows handed to EncodePng lie in memory.
enum class PngRows {
    Bgr8,   ///< three bytes a pixel: blue, green, red
    Rgb32,  ///< Qt's 32-bit words 0xffRRGGBB in the machine's byte order; the top byte is left out
    Rgba8,  ///< four bytes a pixel: red, green, blue, alpha
    Argb32, ///< Qt's 32-bit words 0xAARRGGBB in the machine's byte order
    Rgbx16, ///< four native-endian 16-bit channels: red, green, blue, then one that is left out
    Rgba16, ///< four native-endian 16-bit channels: red, green, blue, alpha
};

/// The row filters the encoder may try, as a mask; the values are libpng's own.
namespace PngFilter {
constexpr int None = 0x08;
constexpr int Sub = 0x10;
constexpr int Up = 0x20;
constexpr int Average = 0x40;
constexpr int Paeth = 0x80;
constexpr int All = None | Sub | Up | Average | Paeth;
} // namespace PngFilter

/// How hard the encoder works. The defaults are what captures use: on screenshots, zlib level 2
/// with the Up filter alone gives the smallest files for the time (see the benchmark).
struct PngSettings
{
    int level = 2;               ///< zlib level, 0 to 9
    int filters = PngFilter::Up; ///< PngFilter mask
    bool runLengthOnly = false;  ///< zlib's run-length strategy instead of its matching
};

/// Outcome of one PNG encoding.
struct PngEncoding
{
    bool ok = false;
    QString message;  ///< the encoder's own words on a failure
    QByteArray bytes; ///< the whole PNG file on success
};

/// Encodes \a height rows of \a width pixels laid out as \a rows says, the top row at \a top and
/// each next one \a pitch bytes further (a negative pitch walks a bottom-up buffer upwards), as
/// an 8-bit or 16-bit RGB or RGBA PNG file. Never throws.
PngEncoding EncodePng(const unsigned char* top, int width, int height, qsizetype pitch, PngRows rows,
                      const PngSettings& settings = {});
/// EncodePng of the rows \a row gives, top first, one at a time, each read before the next is
/// asked for; a row it cannot give (null) ends the encoding with a failure.
PngEncoding EncodePng(const std::function<const unsigned char*(int y)>& row, int width, int height,
                      PngRows rows, const PngSettings& settings = {});
