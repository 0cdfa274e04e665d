// The end-to-end tests' own X client:
//   pictures DIR WIDTH HEIGHT COUNT [EXT]  COUNT different screenshots, pic_01.png ... (or .EXT);
//                                     picture n has a flat block of its own colour at the top left
//   check DIR COUNT                   the screenshots in DIR are COUNT whole pictures of that
//                                     size, picture 1 to COUNT in the order they were filed
//   flat DIR COUNT                    COUNT 1920x1080 palette PNGs of one colour each, the colour
//                                     of picture n
//   manager FILE [DELAY]              a clipboard manager holding the picture in FILE: it puts it
//                                     on the clipboard, and back DELAY ms (0) after the clipboard
//                                     is emptied; prints "restored" each time it puts it back
//   owner never|stops|endless         takes the clipboard offering image/png and then never sends,
//                                     sends one piece and stops, or sends pieces without end
//   ping WINDOW SECONDS               asks WINDOW for _NET_WM_PING answers for SECONDS and prints
//                                     the longest wait for one in ms
//   painted FILE WIDTH HEIGHT         FILE is a capture of the tests' four-colour window of that
//                                     size (PaintedWindow): the window itself, each quarter in its
//                                     colour, or a screen showing the whole window
//   locate                            prints "X Y", where the four-colour window's quarters meet
//                                     on the screen of this X display
#include <QClipboard>
#include <QCollator>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QMimeData>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <chrono>
#include <cstdio>
#include <poll.h>

namespace {

QColor colourOf(int n)
{
    return QColor::fromHsv((n * 37) % 360, 255, 120 + (n * 53) % 130);
}

int pictures(const QString& folder, int width, int height, int count, const QString& extension)
{
    for (int n = 1; n <= count; ++n) {
        QImage picture(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < width; ++x)
                row[x] = qRgb((x * 3 + n) % 256, (y * 5) % 256, (x ^ y) % 256);
        }
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                picture.setPixelColor(x, y, colourOf(n));
        QImageWriter writer(
            QStringLiteral("%1/pic_%2.%3").arg(folder).arg(n, 2, 10, QLatin1Char('0')).arg(extension));
        writer.setQuality(90); // little compression: the pictures are made quickly
        if (!writer.write(picture))
            return 1;
    }
    return 0;
}

int flat(const QString& folder, int count)
{
    for (int n = 1; n <= count; ++n) {
        QImage picture(1920, 1080, QImage::Format_Indexed8);
        picture.setColorTable({colourOf(n).rgb()});
        picture.fill(0);
        if (!picture.save(QStringLiteral("%1/pic_%2.png").arg(folder).arg(n, 2, 10, QLatin1Char('0'))))
            return 1;
    }
    return 0;
}

bool near(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 30;
}

int check(const QString& folder, int count)
{
    // Filing order: the capture time, then the counter of names taken in the same second.
    static const QRegularExpression name(QStringLiteral("^Image_(\\d{6}_\\d{6})(?:_(\\d+))?\\.jpg$"));
    QStringList files = QDir(folder).entryList({QStringLiteral("Image_*")}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        const auto x = name.match(a), y = name.match(b);
        if (x.captured(1) != y.captured(1))
            return x.captured(1) < y.captured(1);
        return x.captured(2).toInt() < y.captured(2).toInt();
    });
    if (files.size() != count) {
        std::printf("%lld screenshots, not %d\n", static_cast<long long>(files.size()), count);
        return 1;
    }
    for (int n = 1; n <= count; ++n) {
        const QImage shot(folder + QLatin1Char('/') + files.at(n - 1));
        if (shot.isNull() || !near(shot.pixelColor(32, 32), colourOf(n))) {
            std::printf("%s is not picture %d\n", qPrintable(files.at(n - 1)), n);
            return 1;
        }
    }
    return 0;
}

int manager(QGuiApplication& application, const QString& file, int delay)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QImage picture(file);
    if (picture.isNull())
        return 1;
    QObject::connect(clipboard, &QClipboard::dataChanged, &application,
                     [&application, clipboard, picture, delay] {
                         const QMimeData* data = clipboard->mimeData();
                         if (data && !data->formats().isEmpty())
                             return;
                         QTimer::singleShot(delay, &application, [clipboard, picture] {
                             clipboard->setImage(picture);
                             std::printf("restored\n");
                             std::fflush(stdout);
                         });
                     });
    clipboard->setImage(picture);
    return QGuiApplication::exec();
}

// The colours of PaintedWindow's quarters: top left, top right, bottom left, bottom right.
const QColor quarters[] = {QColor(0xdc, 0x28, 0x28), QColor(0x28, 0xc8, 0x3c), QColor(0x28, 0x50, 0xdc),
                           QColor(0xe6, 0xd2, 0x28)};

int painted(const QString& file, int width, int height)
{
    const QImage shot(file);
    if (shot.isNull()) {
        std::printf("%s is not a picture\n", qPrintable(file));
        return 1;
    }
    if (shot.size() == QSize(width, height)) {
        // The window alone: its quarters, away from the edges where JPEG blurs the colours.
        for (int quarter = 0; quarter < 4; ++quarter) {
            const QPoint centre(width / 4 + (quarter % 2) * width / 2,
                                height / 4 + (quarter / 2) * height / 2);
            if (!near(shot.pixelColor(centre), quarters[quarter])) {
                std::printf("the window's quarter %d is %s\n", quarter + 1,
                            qPrintable(shot.pixelColor(centre).name()));
                return 1;
            }
        }
        std::printf("the window, %dx%d\n", width, height);
        return 0;
    }
    // A screen: each colour over a quarter of the window's area, give or take its edges.
    int counts[4] = {};
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            for (int quarter = 0; quarter < 4; ++quarter)
                if (near(shot.pixelColor(x, y), quarters[quarter]))
                    ++counts[quarter];
    const int area = (width / 2) * (height / 2);
    for (int quarter = 0; quarter < 4; ++quarter)
        if (counts[quarter] < area * 9 / 10 || counts[quarter] > area * 11 / 10) {
            std::printf("a %dx%d picture, with %d pixels of quarter %d where the window has %d\n",
                        shot.width(), shot.height(), counts[quarter], quarter + 1, area);
            return 1;
        }
    std::printf("a %dx%d screen showing the window\n", shot.width(), shot.height());
    return 0;
}

int locate()
{
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    // The one point whose four neighbours hold the four quarters' colours, in their places.
    for (int y = 1; y < screen.height(); ++y)
        for (int x = 1; x < screen.width(); ++x)
            if (near(screen.pixelColor(x - 1, y - 1), quarters[0]) &&
                near(screen.pixelColor(x, y - 1), quarters[1]) &&
                near(screen.pixelColor(x - 1, y), quarters[2]) &&
                near(screen.pixelColor(x, y), quarters[3])) {
                std::printf("%d %d\n", x, y);
                return 0;
            }
    return 1;
}

// Sends the INCR piece \a bytes to the requestor's property.
void piece(Display* display, Window requestor, Atom property, const QByteArray& bytes)
{
    XChangeProperty(display, requestor, property, XInternAtom(display, "image/png", False), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<int>(bytes.size()));
    XFlush(display);
}

int owner(const QString& mode)
{
    Display* display = XOpenDisplay(nullptr);
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom png = XInternAtom(display, "image/png", False);
    XSetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False), window, CurrentTime);
    Window requestor = None;
    Atom property = None;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionClear)
            return 0;
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent& asked = event.xselectionrequest;
            if (asked.target == targets) {
                const Atom offered[] = {targets, png};
                XChangeProperty(display, asked.requestor, asked.property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(offered), 2);
            } else if (mode == QLatin1String("never")) {
                continue;
            } else {
                requestor = asked.requestor, property = asked.property;
                XSelectInput(display, requestor, PropertyChangeMask);
                const long size = 1 << 20;
                XChangeProperty(display, requestor, property, XInternAtom(display, "INCR", False), 32,
                                PropModeReplace, reinterpret_cast<const unsigned char*>(&size), 1);
            }
            XSelectionEvent answer{};
            answer.type = SelectionNotify;
            answer.requestor = asked.requestor;
            answer.selection = asked.selection;
            answer.target = asked.target;
            answer.property = asked.property;
            answer.time = asked.time;
            XSendEvent(display, asked.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&answer));
            XFlush(display);
        } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete &&
                   event.xproperty.window == requestor && event.xproperty.atom == property) {
            // The requestor took the last piece: a PNG's start once, then nothing or without end.
            static bool started = false;
            if (!std::exchange(started, true))
                piece(display, requestor, property, QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(65536, 'x'));
            else if (mode == QLatin1String("endless"))
                piece(display, requestor, property, QByteArray(65536, 'x'));
        }
    }
}

int ping(const QString& window, int seconds)
{
    Display* display = XOpenDisplay(nullptr);
    const Window target = window.toULong(nullptr, 0);
    const Window root = DefaultRootWindow(display);
    // The answers go to the root window; each ping carries a server time, which the window
    // takes as its own, so it is the server's time now and later.
    XSelectInput(display, root, StructureNotifyMask);
    const Window clock = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, clock, PropertyChangeMask);
    XChangeProperty(display, clock, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event{};
    do
        XNextEvent(display, &event);
    while (event.type != PropertyNotify);
    const Time serverStart = event.xproperty.time;
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom pingAtom = XInternAtom(display, "_NET_WM_PING", False);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    long longest = 0;
    while (Clock::now() < end) {
        const auto sent = Clock::now();
        const auto stamp = static_cast<long>(
            serverStart + std::chrono::duration_cast<std::chrono::milliseconds>(sent - start).count());
        event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = target;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(pingAtom);
        event.xclient.data.l[1] = stamp;
        event.xclient.data.l[2] = static_cast<long>(target);
        XSendEvent(display, target, False, NoEventMask, &event);
        XFlush(display);
        bool answered = false;
        while (!answered && Clock::now() - sent < std::chrono::seconds(30)) {
            if (XPending(display) == 0) {
                pollfd wait{ConnectionNumber(display), POLLIN, 0};
                ::poll(&wait, 1, 10);
                continue;
            }
            XNextEvent(display, &event);
            answered = event.type == ClientMessage && event.xclient.message_type == protocols &&
                       static_cast<Atom>(event.xclient.data.l[0]) == pingAtom &&
                       event.xclient.data.l[1] == stamp;
        }
        longest = std::max<long>(
            longest, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count());
        QThread::msleep(20);
    }
    XCloseDisplay(display);
    std::printf("%ld\n", longest);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if ((arguments.size() == 6 || arguments.size() == 7) && arguments[1] == QLatin1String("pictures"))
        return pictures(arguments[2], arguments[3].toInt(), arguments[4].toInt(), arguments[5].toInt(),
                        arguments.value(6, QStringLiteral("png")));
    if (arguments.size() == 4 && arguments[1] == QLatin1String("check"))
        return check(arguments[2], arguments[3].toInt());
    if (arguments.size() == 4 && arguments[1] == QLatin1String("flat"))
        return flat(arguments[2], arguments[3].toInt());
    if ((arguments.size() == 3 || arguments.size() == 4) && arguments[1] == QLatin1String("manager"))
        return manager(application, arguments[2], arguments.value(3).toInt());
    if (arguments.size() == 3 && arguments[1] == QLatin1String("owner"))
        return owner(arguments[2]);
    if (arguments.size() == 4 && arguments[1] == QLatin1String("ping"))
        return ping(arguments[2], arguments[3].toInt());
    if (arguments.size() == 2 && arguments[1] == QLatin1String("locate"))
        return locate();
    if (arguments.size() == 5 && arguments[1] == QLatin1String("painted"))
        return painted(arguments[2], arguments[3].toInt(), arguments[4].toInt());
    return 2;
}
