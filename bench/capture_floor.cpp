// Helper of bench_capture. "capture_floor shots DIR" writes the screenshot-like PNGs;
// "capture_floor floor jpg|bmp" times what filing the picture now on the clipboard cannot do
// without: the clipboard transfer with PNG decoding, then the encoding, and prints the
// median in milliseconds.
#include "ScreenshotLike.h"
#include "Timing.h"
#include "capture/BitmapWriter.h"
#include "capture/BottomUpBgrBuffer.h"
#include "capture/JpegWriter.h"

#include <QApplication>
#include <QClipboard>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("shots")) {
        for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)})
            ScreenshotLike(size.width(), size.height())
                .save(arguments[2] + QStringLiteral("/shot_%1x%2.png").arg(size.width()).arg(size.height()));
        return 0;
    }
    if (arguments.size() != 3 || arguments[1] != QLatin1String("floor"))
        return 2;
    const bool bitmap = arguments[2] == QLatin1String("bmp");
    const auto times = TimeRuns(7, [bitmap] {
        const QImage picture = QGuiApplication::clipboard()->image();
        BottomUpBgrBuffer dib;
        dib.CreateFromPicture(picture);
        QByteArray bytes;
        const Outcome encoded = bitmap ? EncodeBitmapFile(dib, bytes) : EncodeJpegFile(dib, 90, bytes);
        if (!encoded.done())
            std::abort();
    });
    std::printf("%.1f\n", Median(times));
    return 0;
}
