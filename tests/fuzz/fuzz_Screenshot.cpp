// Pictures of any size and pixel format on the clipboard, filed as JPEG or bitmap: either a file
// of the picture's size and nothing else in the Image Set, or one message and an Image Set left
// as it was. Never a crash.
#include "capture/ScreenshotWriter.h"
#include "core/AppState.h"
#include "support/FakeServices.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
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

class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    unsigned byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    unsigned word() { return byte() << 8 | byte(); }
    const std::uint8_t* rest(std::size_t& size) const
    {
        size = m_size - std::min(m_at, m_size);
        return m_data + (m_size - size);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

QImage pictureFrom(Input& input)
{
    const unsigned choice = input.byte();
    QSize size;
    // Format 0 is the invalid format: a picture that cannot be read.
    QImage::Format format = QImage::Format(input.byte() % QImage::NImageFormats);
    if (choice < 16) {
        size = edgeSizes[choice % std::size(edgeSizes)];
        if (size.width() > 65535)
            format = QImage::Format_Mono;
    } else {
        // Up to about a million pixels, so a run stays within the fuzzer's memory limit.
        size = QSize(input.word() % 2048, input.word() % 512);
    }
    QImage picture(size, format);
    if (picture.isNull())
        return picture;
    if (format == QImage::Format_Mono || format == QImage::Format_MonoLSB ||
        format == QImage::Format_Indexed8) {
        QList<QRgb> colours;
        for (int i = 0; i < (format == QImage::Format_Indexed8 ? 256 : 2); ++i)
            colours.append(qRgb(int(input.byte()), int(input.byte()), int(input.byte())));
        picture.setColorTable(colours);
    }
    std::size_t left = 0;
    const std::uint8_t* pixels = input.rest(left);
    const auto total = static_cast<std::size_t>(picture.sizeInBytes());
    std::memset(picture.bits(), 0, total);
    std::memcpy(picture.bits(), pixels, std::min(left, total));
    return picture;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // In memory where possible: every file is synced to disk before it gets its name.
    static QTemporaryDir folder(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/fuzz_Screenshot-XXXXXX")
                                                          : QDir::tempPath() + "/fuzz_Screenshot-XXXXXX");
    Input input(data, size);
    AppState state;
    state.libraryRoot = folder.path() + QStringLiteral("/Vistrelles/");
    state.currentCategory = QStringLiteral("Cat");
    state.currentImageSet = QStringLiteral("Set");
    state.captureExtension = input.byte() % 2 ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
    state.jpegQuality = 1 + int(input.byte() % 100);
    FakeServices fakes;
    fakes.clipboard.setImage(pictureFrom(input));
    const QSize pictureSize = fakes.clipboard.picture.size();

    const QDir set(state.libraryRoot + QStringLiteral("Cat/Set"));
    const bool saved = SaveScreenshot(state, fakes.services);
    const QStringList files = set.entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (saved) {
        require(fakes.boxes.shown.isEmpty() && files.size() == 1);
        require(files.first().endsWith(state.captureExtension));
        QImageReader reader(set.filePath(files.first()));
        require(reader.size() == pictureSize);
    } else {
        require(fakes.boxes.shown.size() == 1 && files.isEmpty());
        require(fakes.boxes.shown.first().text.startsWith(
            QStringLiteral("An error has occurred while creating image file.  Error ")));
    }
    for (const QString& name : files)
        require(QFile::remove(set.filePath(name)));
    return 0;
}
