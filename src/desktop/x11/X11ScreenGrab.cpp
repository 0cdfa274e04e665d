#include "X11ScreenGrab.h"

#include "X11Windows.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstring>
#include <memory>

namespace {

// A window can vanish between finding it and reading it; its errors must not end the program
// (Xlib's default handler exits), so they are counted while a capture runs.
int g_errors = 0;
int countError(Display*, XErrorEvent*)
{
    ++g_errors;
    return 0;
}

struct DisplayCloser
{
    void operator()(Display* display) const { CloseConnection(display); }
};

Window topLevelOf(Display* display, Window window, Window root)
{
    while (window != None && window != root) {
        const Window parent = ParentWindow(display, window);
        if (parent == None)
            return None;
        if (parent == root)
            return window;
        window = parent;
    }
    return None;
}

QImage toQImage(XImage* image)
{
    QImage result(image->width, image->height, QImage::Format_RGB32);
    const bool direct = image->bits_per_pixel == 32 && image->red_mask == 0xff0000 &&
                        image->green_mask == 0xff00 && image->blue_mask == 0xff &&
                        image->byte_order == LSBFirst;
    for (int y = 0; y < image->height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        if (direct) {
            std::memcpy(line, image->data + static_cast<qsizetype>(y) * image->bytes_per_line,
                        static_cast<size_t>(image->width) * 4);
            for (int x = 0; x < image->width; ++x)
                line[x] |= 0xff000000u;
            continue;
        }
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            auto channel = [pixel](unsigned long mask) {
                if (mask == 0)
                    return 0;
                int shift = 0;
                while (!((mask >> shift) & 1))
                    ++shift;
                const unsigned long value = (pixel & mask) >> shift;
                const unsigned long top = mask >> shift;
                return static_cast<int>(value * 255 / top);
            };
            line[x] = qRgb(channel(image->red_mask), channel(image->green_mask), channel(image->blue_mask));
        }
    }
    return result;
}

// The part of \a window that lies on a screen of \a screenSize, in window coordinates; empty
// when none does.
QRect VisiblePart(const QRect& window, const QSize& screenSize)
{
    const QRect onScreen = window.intersected(QRect(QPoint(0, 0), screenSize));
    return onScreen.isEmpty() ? QRect() : onScreen.translated(-window.topLeft());
}

} // namespace

void X11ScreenGrab::grab()
{
    const QImage picture = activeWindow();
    if (picture.isNull())
        emit failed(QString());
    else
        emit taken(picture);
}

QImage X11ScreenGrab::activeWindow()
{
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display)
        return {};
    KeepProcessOnConnectionLoss(display.get());
    g_errors = 0;
    const auto previous = XSetErrorHandler(countError);
    QImage picture;
    const Window root = DefaultRootWindow(display.get());
    const Window frame = topLevelOf(display.get(), ActiveWindow(display.get(), root), root);
    XWindowAttributes attributes{};
    if (frame != None && XGetWindowAttributes(display.get(), frame, &attributes) && g_errors == 0) {
        const int border = attributes.border_width;
        // The frame window's own pixels lie inside its border.
        const QRect window =
            m_readFrom == ReadFrom::Root
                ? QRect(attributes.x, attributes.y, attributes.width + 2 * border,
                        attributes.height + 2 * border)
                : QRect(attributes.x + border, attributes.y + border, attributes.width, attributes.height);
        XWindowAttributes rootAttributes{};
        XGetWindowAttributes(display.get(), root, &rootAttributes);
        const QRect part = VisiblePart(window, QSize(rootAttributes.width, rootAttributes.height));
        if (!window.isEmpty()) {
            picture = QImage(window.size(), QImage::Format_RGB32);
            picture.fill(Qt::black);
        }
        if (!part.isEmpty()) {
            const Window source = m_readFrom == ReadFrom::Root ? root : frame;
            const QPoint from =
                m_readFrom == ReadFrom::Root ? window.topLeft() + part.topLeft() : part.topLeft();
            XImage* pixels =
                XGetImage(display.get(), source, from.x(), from.y(), static_cast<unsigned>(part.width()),
                          static_cast<unsigned>(part.height()), AllPlanes, ZPixmap);
            if (pixels) {
                const QImage visible = toQImage(pixels);
                XDestroyImage(pixels);
                for (int y = 0; y < visible.height(); ++y)
                    std::memcpy(picture.scanLine(part.y() + y) + static_cast<qsizetype>(part.x()) * 4,
                                visible.constScanLine(y), static_cast<size_t>(visible.width()) * 4);
            } else {
                // A read the server refuses gives no picture rather than a black one.
                picture = QImage();
            }
        }
    }
    XSync(display.get(), False);
    XSetErrorHandler(previous);
    return picture;
}
