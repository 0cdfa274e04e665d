// Pictures of any size and pixel format on the clipboard, in memory or as another program's PNG
// file, filed as JPEG, bitmap or PNG: either a file of the picture's size (a PNG holding exactly
// its pixels, a bitmap its colours) and nothing else in the Image Set, or one message and an
// Image Set left as it was. Never a crash.
#include "capture/ScreenshotWriter.h"
#include "core/AppState.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Sizes that stress the writers: empty, single pixels, the widest 16-bit row, rows whose 24-bit
// stride passes 2^31 (the picture itself stays small at one bit a pixel).
constexpr QSize edgeSizes[] = {{0, 0}, {1, 1}, {65535, 1}, {1, 65535}, {715827883, 1}, {1431655765, 1}};

// The same pixels of two pictures in one of the formats compared (32 or 64 bits a pixel), whatever
// else they carry (a colour space read from the file); the unused filler of 32-bit RGB and 64-bit
// RGBX pixels does not count.
bool samePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    const quint64 used = a.format() == QImage::Format_RGB32    ? 0xffffffull
                         : a.format() == QImage::Format_RGBX64 ? 0xffffffffffffull
                                                               : ~0ull;
    const int bytes = a.depth() / 8;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            quint64 p = 0, q = 0;
            std::memcpy(&p, a.constScanLine(y) + x * bytes, bytes);
            std::memcpy(&q, b.constScanLine(y) + x * bytes, bytes);
            if ((p ^ q) & used)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // In memory where possible: every file is synced to disk before it gets its name.
    static QTemporaryDir folder(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/fuzz_Screenshot-XXXXXX")
                                                          : QDir::tempPath() + "/fuzz_Screenshot-XXXXXX");
    std::size_t at = 0;
    const auto byte = [&]() -> unsigned { return at < size ? data[at++] : 0; };
    const auto word = [&] { return byte() << 8 | byte(); };
    AppState state;
    state.libraryRoot = folder.path() + QStringLiteral("/Vistrelles/");
    state.currentCategory = QStringLiteral("Cat");
    state.currentImageSet = QStringLiteral("Set");
    const char* const extensions[] = {".jpg", ".bmp", ".png"};
    state.settings.captureExtension = QLatin1String(extensions[byte() % 3]);
    state.settings.jpegQuality = 1 + int(byte() % 100);

    // An edge size, or up to about a million pixels so a run stays within the fuzzer's memory
    // limit. Format 0 is the invalid format: a picture that cannot be read.
    const unsigned choice = byte();
    auto format = QImage::Format(byte() % QImage::NImageFormats);
    const QSize pictureSize =
        choice < 16 ? edgeSizes[choice % std::size(edgeSizes)] : QSize(word() % 2048, word() % 512);
    if (pictureSize.width() > 65535)
        format = QImage::Format_Mono;
    QImage picture(pictureSize, format);
    if (!picture.isNull()) {
        if (format == QImage::Format_Mono || format == QImage::Format_MonoLSB ||
            format == QImage::Format_Indexed8) {
            QList<QRgb> colours;
            for (int i = 0; i < (format == QImage::Format_Indexed8 ? 256 : 2); ++i)
                colours.append(qRgb(int(byte()), int(byte()), int(byte())));
            picture.setColorTable(colours);
        }
        const auto total = static_cast<std::size_t>(picture.sizeInBytes());
        std::memset(picture.bits(), 0, total);
        std::memcpy(picture.bits(), data + at, std::min(size - at, total));
    }

    // Sometimes as another program sends it, a PNG file: decoded then, for a JPEG or bitmap into
    // the 24-bit buffer's memory and turned into its rows there.
    ClipboardPicture clipboard = ClipboardPicture::grabbed(picture);
    QByteArray file;
    if (choice >= 16 && byte() % 2 == 1) {
        QBuffer buffer(&file);
        buffer.open(QIODevice::WriteOnly);
        if (QImageWriter(&buffer, "png").write(picture)) {
            clipboard = ClipboardPicture::sent(1, 0, file);
            picture = QImage::fromData(file, "PNG");
        }
    }

    // The Image Set must be there, or every picture stops at the missing folder.
    const QDir set(state.libraryRoot + QStringLiteral("Cat/Set"));
    require(QDir().mkpath(set.path()));
    const Outcome saved =
        WriteScreenshot(ScreenshotJobFor(state, clipboard, QDateTime(QDate(2004, 4, 17), QTime(15, 52, 28))))
            .outcome;
    const QStringList files = set.entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (saved.done()) {
        require(files.size() == 1);
        require(files.first().endsWith(state.settings.captureExtension));
        QImageReader reader(set.filePath(files.first()));
        require(reader.size() == picture.size());
        if (state.settings.captureExtension == QLatin1String(".png")) {
            // Compared at the depth written, 16 bits a channel where the picture has more than 8,
            // and without alpha where the picture's format has none.
            const QImage decoded = reader.read();
            const bool alpha = picture.hasAlphaChannel();
            const QImage::Format common = decoded.depth() == 64
                                              ? (alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64)
                                              : (alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
            require(samePixels(decoded.convertToFormat(common), picture.convertToFormat(common)));
        }
        // A bitmap holds every colour, without alpha.
        if (state.settings.captureExtension == QLatin1String(".bmp"))
            require(samePixels(QImage(set.filePath(files.first())).convertToFormat(QImage::Format_RGB32),
                               picture.convertToFormat(QImage::Format_RGB32)));
    } else {
        require(files.isEmpty());
        require(saved.text.startsWith(
            QStringLiteral("An error has occurred while creating image file.  Error ")));
    }
    for (const QString& name : files)
        require(QFile::remove(set.filePath(name)));
    return 0;
}
