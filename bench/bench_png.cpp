// PNG for screenshots: zlib levels and row filters compared by time and size on screenshot-like
// pictures, with and without a photo on the screen, against the JPEG encoder at quality 90
// (4:4:4) measured in the same run; then the writers as a capture runs them (picture in, file
// bytes out) for PNG, JPEG and bitmap.
#include "ScreenshotLike.h"
#include "Timing.h"
#include "capture/BitmapWriter.h"
#include "capture/BottomUpBgrBuffer.h"
#include "capture/JpegWriter.h"
#include "capture/PngWriter.h"
#include "platform/LibPng.h"
#include "platform/TurboJpeg.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

struct Candidate
{
    QString name;
    std::function<QByteArray()> encode;
    std::vector<double> times;
    qsizetype bytes = 0;
};

// Runs each candidate \a runs times, one run of every candidate after the other, so that load
// from other programs falls on all of them alike.
void timeInterleaved(std::vector<Candidate>& candidates, int runs)
{
    for (int run = 0; run < runs; ++run)
        for (Candidate& candidate : candidates) {
            QElapsedTimer timer;
            timer.start();
            const QByteArray file = candidate.encode();
            candidate.times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            candidate.bytes = file.size();
            if (file.isEmpty())
                std::abort();
        }
    for (Candidate& candidate : candidates)
        std::sort(candidate.times.begin(), candidate.times.end());
}

void report(const std::vector<Candidate>& candidates, double baseline)
{
    for (const Candidate& candidate : candidates)
        std::printf("  %-40s median %7.1f ms  spread %7.1f - %7.1f  ratio %5.2f  %6lld KB\n",
                    qPrintable(candidate.name), Median(candidate.times), candidate.times.front(),
                    candidate.times.back(), Median(candidate.times) / baseline,
                    static_cast<long long>(candidate.bytes / 1024));
}

// The screenshot with a photo in a third of it (a picture viewer, a web page): smooth shapes in
// every channel with a little grain, as a camera gives them. Raw generator output only, so the
// picture is the same with any standard library.
QImage WithPhoto(QImage picture)
{
    std::mt19937 random(0x5CA11);
    const QRect photo(picture.width() / 10, picture.height() / 3, picture.width() / 3, picture.height() / 2);
    for (int y = photo.top(); y <= photo.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = photo.left(); x <= photo.right(); ++x) {
            const double u = static_cast<double>(x) / picture.width(),
                         v = static_cast<double>(y) / picture.height();
            const int grain = static_cast<int>(random() % 25) - 12;
            const auto channel = [grain](double wave) {
                return std::clamp(static_cast<int>(128 + 100 * wave) + grain, 0, 255);
            };
            row[x] = qRgb(channel(std::sin(9 * u + 4 * v)), channel(std::sin(5 * u - 7 * v + 1)),
                          channel(std::cos(11 * u * v + 3 * u)));
        }
    }
    return picture;
}

QString filterName(int filters)
{
    switch (filters) {
    case PngFilter::None:
        return QStringLiteral("None");
    case PngFilter::Sub:
        return QStringLiteral("Sub");
    case PngFilter::Up:
        return QStringLiteral("Up");
    case PngFilter::Paeth:
        return QStringLiteral("Paeth");
    case PngFilter::None | PngFilter::Up:
        return QStringLiteral("None or Up, adaptive");
    default:
        return QStringLiteral("all five, adaptive");
    }
}

} // namespace

int main(int argc, char* argv[])
{
    // Only painting and encoding: no display needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    constexpr int settingRuns = 5;
    constexpr int writerRuns = 11;
    for (const auto& [size, photo] :
         {std::pair{QSize(1920, 1080), false}, std::pair{QSize(1920, 1080), true},
          std::pair{QSize(3840, 2160), false}, std::pair{QSize(3840, 2160), true}}) {
        const QImage plain = ScreenshotLike(size.width(), size.height());
        const QImage picture = photo ? WithPhoto(plain) : plain;
        const char* const kind = photo ? ", with a photo" : "";
        BottomUpBgrBuffer section;
        section.CreateFromPicture(picture);
        const auto jpegEncoder = [&] {
            return EncodeJpeg(section.DIBSectionBitsPtr(), section.Width(), section.Height(),
                              section.BytesPerScanLine(), 90)
                .bytes;
        };

        std::vector<Candidate> settings{
            {QStringLiteral("JPEG encoder, quality 90, 4:4:4"), jpegEncoder, {}, 0}};
        for (const int level : {0, 1, 2, 3, 4, 6, 9})
            for (const int filters : {PngFilter::None, PngFilter::Sub, PngFilter::Up, PngFilter::Paeth,
                                      PngFilter::None | PngFilter::Up, PngFilter::All}) {
                // Stored without compression, a filter only costs time.
                if (level == 0 && filters != PngFilter::None)
                    continue;
                settings.push_back({QStringLiteral("PNG level %1, %2").arg(level).arg(filterName(filters)),
                                    [&picture, level, filters] {
                                        return EncodePng(picture.constBits(), picture.width(),
                                                         picture.height(), picture.bytesPerLine(),
                                                         PngRows::Rgb32, {level, filters, false})
                                            .bytes;
                                    },
                                    {},
                                    0});
            }
        settings.push_back({QStringLiteral("PNG run lengths only, Up"),
                            [&picture] {
                                return EncodePng(picture.constBits(), picture.width(), picture.height(),
                                                 picture.bytesPerLine(), PngRows::Rgb32,
                                                 {1, PngFilter::Up, true})
                                    .bytes;
                            },
                            {},
                            0});
        timeInterleaved(settings, settingRuns);
        std::printf("%dx%d%s, encoders alone, %d runs (ratio to the JPEG encoder)\n", size.width(),
                    size.height(), kind, settingRuns);
        report(settings, Median(settings.front().times));

        // The writers as a capture calls them: from the clipboard's picture to the file's bytes.
        std::vector<Candidate> writers{
            {QStringLiteral("JPEG: section fill and encoding"),
             [&picture] {
                 BottomUpBgrBuffer dib;
                 dib.CreateFromPicture(picture);
                 QByteArray file;
                 EncodeJpegFile(dib, 90, file);
                 return file;
             },
             {},
             0},
            {QStringLiteral("PNG: EncodePngFile (level 2, Up)"),
             [&picture] {
                 QByteArray file;
                 EncodePngFile(picture, file);
                 return file;
             },
             {},
             0},
            {QStringLiteral("PNG: section fill, then level 2, Up"),
             [&picture] {
                 BottomUpBgrBuffer dib;
                 dib.CreateFromPicture(picture);
                 const int stride = dib.BytesPerScanLine();
                 return EncodePng(dib.DIBSectionBitsPtr() + static_cast<qsizetype>(dib.Height() - 1) * stride,
                                  dib.Width(), dib.Height(), -stride, PngRows::Bgr8)
                     .bytes;
             },
             {},
             0},
            {QStringLiteral("PNG: QImage::save"),
             [&picture] {
                 QByteArray file;
                 QBuffer buffer(&file);
                 buffer.open(QIODevice::WriteOnly);
                 picture.save(&buffer, "PNG");
                 return file;
             },
             {},
             0},
            {QStringLiteral("BMP: section fill and file"),
             [&picture] {
                 BottomUpBgrBuffer dib;
                 dib.CreateFromPicture(picture);
                 QByteArray file;
                 EncodeBitmapFile(dib, file);
                 return file;
             },
             {},
             0},
        };
        timeInterleaved(writers, writerRuns);
        std::printf("%dx%d%s, writers, %d runs (ratio to the JPEG writer)\n", size.width(), size.height(),
                    kind, writerRuns);
        report(writers, Median(writers.front().times));
    }
    return 0;
}
