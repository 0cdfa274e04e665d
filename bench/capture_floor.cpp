// Helper of bench_capture. "capture_floor shots DIR" writes the screenshot-like PNGs, one of
// each size and the different pictures of the bursts;
// "capture_floor floor jpg|bmp QUALITY DIR" is the floor the program is measured against: it
// files every PNG an owner puts on the clipboard into DIR with no more than it cannot do
// without (the transfer, decoding, the 24-bit copy, encoding with the program's settings, a
// synced temporary renamed into place, the folder synced), reusing its buffers from picture to
// picture as the program does during a burst.
#include "ScreenshotLike.h"
#include "capture/BitmapWriter.h"
#include "capture/BottomUpBgrBuffer.h"
#include "capture/JpegWriter.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QImageReader>
#include <QMimeData>
#include <cstdio>
#include <fcntl.h>
#include <tuple>
#include <unistd.h>

namespace {

struct Floor
{
    bool bitmap = false;
    int quality = 90;
    QByteArray folder;
    int count = 0;
    QImage picture;
    BottomUpBgrBuffer dib;
    QByteArray file;

    void fileClipboard()
    {
        const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
        if (!offered || !offered->hasFormat(QStringLiteral("image/png")))
            return;
        QBuffer png;
        png.setData(offered->data(QStringLiteral("image/png")));
        png.open(QIODevice::ReadOnly);
        if (!QImageReader(&png).read(&picture) || !dib.CreateFromPicture(picture).done() ||
            !(bitmap ? EncodeBitmapFile(dib, file) : EncodeJpegFile(dib, quality, file)).done())
            std::abort();
        const QByteArray name = folder + "/floor_" + QByteArray::number(++count) + (bitmap ? ".bmp" : ".jpg");
        const QByteArray temporary = folder + "/.floor.part";
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, file.constData(), file.size()) != file.size() || ::fsync(fd) != 0 ||
            ::close(fd) != 0 || ::rename(temporary.constData(), name.constData()) != 0)
            std::abort();
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0 || ::fsync(dir) != 0 || ::close(dir) != 0)
            std::abort();
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1String("shots")) {
        const QString folder = arguments[2];
        for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)})
            ScreenshotLike(size.width(), size.height())
                .save(folder + QStringLiteral("/shot_%1x%2.png").arg(size.width()).arg(size.height()));
        // The bursts: pictures that differ from each other, in copy order by name.
        for (const auto& [burst, size, count] : {std::tuple(QStringLiteral("/hd"), QSize(1920, 1080), 40),
                                                 std::tuple(QStringLiteral("/uhd"), QSize(3840, 2160), 10)}) {
            QDir().mkpath(folder + burst);
            for (int i = 1; i <= count; ++i)
                ScreenshotLike(size.width(), size.height(), i)
                    .save(folder + burst + QStringLiteral("/pic_%1.png").arg(i, 2, 10, QLatin1Char('0')));
        }
        return 0;
    }
    if (arguments.size() != 5 || arguments[1] != QLatin1String("floor"))
        return 2;
    Floor floor;
    floor.bitmap = arguments[2] == QLatin1String("bmp");
    floor.quality = arguments[3].toInt();
    floor.folder = arguments[4].toLocal8Bit();
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::changed, &application,
                     [&floor](QClipboard::Mode mode) {
                         if (mode == QClipboard::Clipboard)
                             floor.fileClipboard();
                     });
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}
