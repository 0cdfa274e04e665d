#include "LibPng.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <csetjmp>
#include <cstdio>
#include <new>
#include <png.h>
#include <zlib.h>

static_assert(PngFilter::None == PNG_FILTER_NONE && PngFilter::Sub == PNG_FILTER_SUB &&
              PngFilter::Up == PNG_FILTER_UP && PngFilter::Average == PNG_FILTER_AVG &&
              PngFilter::Paeth == PNG_FILTER_PAETH);

namespace {

// What the callbacks share with the encoding. libpng leaves through longjmp on an error, so
// nothing between the jump buffer and the callbacks may own memory: the file and the words of
// a failure live here, outside the jump.
struct Sink
{
    QByteArray* bytes;
    char message[256];
};

void onError(png_structp png, png_const_charp text)
{
    auto* sink = static_cast<Sink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", text);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void onWrite(png_structp png, png_bytep data, size_t length)
{
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    bool grown = true;
    try {
        sink->bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    // No exception may cross libpng's C frames: the failure leaves through its own jump.
    if (!grown)
        png_error(png, "Out of memory");
}

void onFlush(png_structp) {}

void writeRows(png_structp png, png_infop info, const std::function<const unsigned char*(int y)>& row,
               int width, int height, PngRows rows, const PngSettings& settings)
{
    const bool deep = rows == PngRows::Rgbx16 || rows == PngRows::Rgba16;
    const bool alpha = rows == PngRows::Rgba8 || rows == PngRows::Argb32 || rows == PngRows::Rgba16;
    // The limits guard readers against huge headers; a writer's picture is already in memory.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), deep ? 16 : 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_compression_level(png, settings.level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, settings.filters);
    if (settings.runLengthOnly)
        png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    constexpr bool littleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    // A 32-bit word 0xffRRGGBB lies in memory as blue, green, red, filler on a little-endian
    // machine and as filler, red, green, blue on a big-endian one.
    if (rows == PngRows::Bgr8 || ((rows == PngRows::Rgb32 || rows == PngRows::Argb32) && littleEndian))
        png_set_bgr(png);
    if (rows == PngRows::Argb32 && !littleEndian)
        png_set_swap_alpha(png);
    if (rows == PngRows::Rgb32)
        png_set_filler(png, 0, littleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    if (rows == PngRows::Rgbx16)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    if (deep && littleEndian)
        png_set_swap(png);
    for (int y = 0; y < height; ++y) {
        const unsigned char* at = row(y);
        if (!at)
            png_error(png, "Out of memory");
        png_write_row(png, at);
    }
    png_write_end(png, nullptr);
}

} // namespace

PngEncoding EncodePng(const unsigned char* top, int width, int height, qsizetype pitch, PngRows rows,
                      const PngSettings& settings)
{
    return EncodePng([top, pitch](int y) { return top + y * pitch; }, width, height, rows, settings);
}

PngEncoding EncodePng(const std::function<const unsigned char*(int y)>& row, int width, int height,
                      PngRows rows, const PngSettings& settings)
{
    PngEncoding result;
    Sink sink{&result.bytes, {}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        result.message = QCoreApplication::translate("LibPng", "Failed to initialise the PNG encoder");
        return result;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        result.bytes.clear();
        result.message = QString::fromLocal8Bit(sink.message);
        return result;
    }
    png_set_write_fn(png, &sink, onWrite, onFlush);
    writeRows(png, info, row, width, height, rows, settings);
    png_destroy_write_struct(&png, &info);
    result.ok = true;
    return result;
}
