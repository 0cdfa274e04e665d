// The JPEG writer (section fill and encoding) against QImage::save and against the encoder call
// alone, on the same screenshot-like pixels at quality 90.
#include "ScreenshotLike.h"
#include "Timing.h"
#include "capture/BottomUpBgrBuffer.h"
#include "capture/JpegWriter.h"
#include "platform/TurboJpeg.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

int main(int argc, char* argv[])
{
    // Only painting and encoding: no display needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTemporaryDir dir;
    constexpr int runs = 15;
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        const QImage picture = ScreenshotLike(size.width(), size.height());
        BottomUpBgrBuffer filled;
        filled.CreateFromPicture(picture);
        const auto encoder = TimeRuns(runs, [&] {
            EncodeJpeg(filled.DIBSectionBitsPtr(), filled.Width(), filled.Height(), filled.BytesPerScanLine(),
                       90);
        });
        const auto writer = TimeRuns(runs, [&] {
            BottomUpBgrBuffer dib;
            dib.CreateFromPicture(picture);
            QByteArray bytes;
            EncodeJpegFile(dib, 90, bytes);
            QFile file(dir.filePath(QStringLiteral("writer.jpg")));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                std::abort();
        });
        const auto qt =
            TimeRuns(runs, [&] { picture.save(dir.filePath(QStringLiteral("qt.jpg")), "JPG", 90); });
        std::printf("%dx%d, quality 90, %d runs (ratio to the encoder call alone)\n", size.width(),
                    size.height(), runs);
        const double baseline = Median(encoder);
        Report("encoder call alone (tjCompress2)", encoder, baseline);
        Report("section fill and encoding", writer, baseline);
        Report("QImage::save", qt, baseline);
        std::printf("  file sizes: writer %lld KB, QImage::save %lld KB\n",
                    QFileInfo(dir.filePath(QStringLiteral("writer.jpg"))).size() / 1024,
                    QFileInfo(dir.filePath(QStringLiteral("qt.jpg"))).size() / 1024);
    }
    return 0;
}
