// Helper of bench_capture. "capture_floor shots DIR" writes the screenshot-like PNGs, one of
// each size and the different pictures of the bursts;
// "capture_floor floor jpg|bmp QUALITY DIR" is the floor the program is measured against: it
// files every PNG an owner puts on the clipboard into DIR doing only what the work needs, with
// no toolkit between it and the machine: the XFixes notice, the image/png transfer (INCR
// included), libpng decoding straight into the rows the encoder takes (a bitmap's rows
// bottom-up behind its header), TurboJPEG encoding with the program's settings into room made
// once, a temporary written and fdatasync'ed, renamed into place, the folder synced. Its
// buffers are reused from picture to picture, as the program's are during a burst.
// "capture_floor piped QUALITY FILE" files the PNG read from its input as FILE the same way
// (bench_window's baseline, behind another program's grab of a window).
#include "ScreenshotLike.h"

#include <QDir>
#include <QGuiApplication>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <png.h>
#include <string>
#include <tuple>
#include <turbojpeg.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int bitmapHeader = 54;

void put32(unsigned char* at, unsigned value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

struct Floor
{
    bool bitmap = false;
    int quality = 90;
    std::string folder;
    std::string name; // the file's, when given; else numbered
    int count = 0;
    Display* display = XOpenDisplay(nullptr);
    Window window = 0;
    Atom clipboard = 0, png = 0, incr = 0, property = 0;
    std::string encoded; // as transferred
    std::vector<unsigned char> pixels, file;
    tjhandle jpeg = tjInitCompress();

    // The property's value, deleted once read; \a type set to its type.
    void take(Atom& type, std::string& into)
    {
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, window, property, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format,
                           &items, &after, &data);
        if (data) {
            into.append(reinterpret_cast<const char*>(data), items * static_cast<unsigned long>(format / 8));
            XFree(data);
        }
    }

    bool transfer()
    {
        encoded.clear();
        Atom type = 0;
        take(type, encoded);
        if (type != incr)
            return !encoded.empty();
        encoded.clear();
        for (;;) {
            XEvent event;
            XWindowEvent(display, window, PropertyChangeMask, &event);
            if (event.xproperty.atom != property || event.xproperty.state != PropertyNewValue)
                continue;
            const size_t before = encoded.size();
            take(type, encoded);
            if (encoded.size() == before)
                return !encoded.empty();
        }
    }

    void encode()
    {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_memory(&image, encoded.data(), encoded.size()))
            std::abort();
        const unsigned width = image.width, height = image.height;
        if (bitmap) {
            const unsigned stride = (width * 3 + 3) & ~3u;
            const unsigned size = bitmapHeader + stride * height;
            file.assign(size, 0);
            unsigned char* header = file.data();
            header[0] = 'B';
            header[1] = 'M';
            put32(header + 2, size);
            put32(header + 10, bitmapHeader);
            put32(header + 14, 40);
            put32(header + 18, width);
            put32(header + 22, height);
            header[26] = 1;
            header[28] = 24;
            put32(header + 34, stride * height);
            image.format = PNG_FORMAT_BGR;
            // A negative stride: libpng writes the rows bottom-up, as a bitmap keeps them.
            if (!png_image_finish_read(&image, nullptr, file.data() + bitmapHeader, -static_cast<int>(stride),
                                       nullptr))
                std::abort();
            return;
        }
        image.format = PNG_FORMAT_RGB;
        pixels.resize(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
            std::abort();
        const int subsampling = quality >= 90 ? TJSAMP_444 : TJSAMP_420;
        file.resize(tjBufSize(static_cast<int>(width), static_cast<int>(height), subsampling));
        unsigned char* out = file.data();
        unsigned long size = file.size();
        if (tjCompress2(jpeg, pixels.data(), static_cast<int>(width), 0, static_cast<int>(height), TJPF_RGB,
                        &out, &size, subsampling, quality, TJFLAG_NOREALLOC) != 0)
            std::abort();
        file.resize(size);
    }

    void write()
    {
        const std::string path =
            folder + "/" +
            (name.empty() ? "floor_" + std::to_string(++count) + (bitmap ? ".bmp" : ".jpg") : name);
        const std::string temporary = folder + "/.floor.part";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        const auto size = static_cast<ssize_t>(file.size());
        if (fd < 0 || ::write(fd, file.data(), file.size()) != size || ::fdatasync(fd) != 0 ||
            ::close(fd) != 0 ||
            ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0)
            std::abort();
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0 || ::fsync(dir) != 0 || ::close(dir) != 0)
            std::abort();
    }

    int run()
    {
        int eventBase = 0, errorBase = 0;
        if (!display || !jpeg || !XFixesQueryExtension(display, &eventBase, &errorBase))
            return 3;
        clipboard = XInternAtom(display, "CLIPBOARD", False);
        png = XInternAtom(display, "image/png", False);
        incr = XInternAtom(display, "INCR", False);
        property = XInternAtom(display, "FLOOR", False);
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        XSelectInput(display, window, PropertyChangeMask);
        XFixesSelectSelectionInput(display, window, clipboard, XFixesSetSelectionOwnerNotifyMask);
        XSync(display, False);
        std::puts("ready");
        std::fflush(stdout);
        for (;;) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == eventBase + XFixesSelectionNotify) {
                const auto& notice = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
                if (notice.owner != None && notice.owner != window)
                    XConvertSelection(display, clipboard, png, property, window, notice.selection_timestamp);
            } else if (event.type == SelectionNotify && event.xselection.property == property && transfer()) {
                encode();
                write();
            }
        }
    }
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 5 && std::strcmp(argv[1], "floor") == 0) {
        Floor floor;
        floor.bitmap = std::strcmp(argv[2], "bmp") == 0;
        floor.quality = std::atoi(argv[3]);
        floor.folder = argv[4];
        return floor.run();
    }
    if (argc == 4 && std::strcmp(argv[1], "piped") == 0) {
        Floor floor;
        floor.quality = std::atoi(argv[2]);
        const std::string file = argv[3];
        floor.folder = file.substr(0, file.rfind('/'));
        floor.name = file.substr(file.rfind('/') + 1);
        char chunk[65536];
        for (size_t count = 0; (count = std::fread(chunk, 1, sizeof chunk, stdin)) > 0;)
            floor.encoded.append(chunk, count);
        floor.encode();
        floor.write();
        return 0;
    }
    if (argc != 3 || std::strcmp(argv[1], "shots") != 0)
        return 2;
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[2]);
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
