// The end-to-end tests' own X client:
//   pictures DIR WIDTH HEIGHT COUNT [EXT]  COUNT different screenshots, pic_01.png ... (or .EXT);
//                                     picture n has a flat block of its own colour at the top left
//   check DIR COUNT [FIRST]|N,N,...   the screenshots in DIR (plain names) are COUNT whole pictures
//                                     of that size, picture FIRST (1) on, or the pictures listed,
//                                     in the order they were filed
//   page FILE WIDTH HEIGHT            a long page as a PNG: lines of dark words on white, a
//                                     coloured band every 1000 rows
//   worded FILE MEGABYTES             screenshot 1 at 640x480 as a PNG carrying a text chunk
//                                     (iTXt) of that many megabytes of words
//   manager FILE [DELAY]              a clipboard manager holding the picture in FILE: it puts it
//                                     on the clipboard, and back DELAY ms (0) after the clipboard
//                                     is emptied; prints "restored" each time it puts it back
//   takeover same|bmp                 a clipboard manager that takes over each picture another
//                                     program copies: reads its image/png and offers the same bytes,
//                                     or the picture as image/bmp only; prints "took over" each time
//   numbers DIR COUNT                 which of pictures 1 to COUNT each screenshot in DIR is, one
//                                     line each in filing order (0: none)
//   same FILE FILE                    the two files hold the same pixels
//   copies MS FILE...                 copies each PNG file in turn, MS ms apart, each from a window
//                                     of its own, sending it (in pieces when large) to whoever
//                                     asks; prints "asked N into PROPERTY" each time picture N is
//                                     asked for while its window owns the clipboard, with the
//                                     property the requestor named, and "sent N" once the
//                                     requestor took its last piece (read it whole); ends once
//                                     the last one is emptied away or replaced
//   owner never|silent|stops|endless|hung|refuses
//                                     takes the clipboard offering image/png and then never
//                                     answers, announces pieces (INCR) and sends none, sends one
//                                     piece and stops, sends pieces without end, answers
//                                     nothing, not even what it offers, or refuses the picture
//   ping WINDOW SECONDS               asks WINDOW for _NET_WM_PING answers for SECONDS and prints
//                                     the longest wait for one in ms
//   painted FILE WIDTH HEIGHT         FILE is a capture of the tests' four-colour window of that
//                                     size (PaintedWindow): the window itself, each quarter in its
//                                     colour, the window in its title bar and frame, or a screen
//                                     showing the whole window
//   locate                            prints "X Y", where the four-colour window's quarters meet
//                                     on the screen of this X display
#include "ClipboardOwner.h"
#include "platform/PictureTitle.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstdio>
#include <functional>
#include <poll.h>
#include <unistd.h>

namespace {

QColor colourOf(int n)
{
    return QColor::fromHsv((n * 37) % 360, 255, 120 + (n * 53) % 130);
}

// Writes pic_01.EXT ... pic_COUNT.EXT into \a folder, picture n as \a make makes it.
int numbered(const QString& folder, int count, const QString& extension,
             const std::function<QImage(int)>& make)
{
    for (int n = 1; n <= count; ++n) {
        QImageWriter writer(
            QStringLiteral("%1/pic_%2.%3").arg(folder).arg(n, 2, 10, QLatin1Char('0')).arg(extension));
        writer.setQuality(90); // little compression: the pictures are made quickly
        if (!writer.write(make(n)))
            return 1;
    }
    return 0;
}

QImage screenshot(int width, int height, int n)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb((x * 3 + n) % 256, (y * 5) % 256, (x ^ y) % 256);
    }
    QPainter(&picture).fillRect(0, 0, 64, 64, colourOf(n));
    return picture;
}

QImage page(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    quint32 random = 1;
    const auto next = [&random](int below) {
        random = random * 1103515245 + 12345;
        return int((random >> 16) % quint32(below));
    };
    for (int top = 0; top + 24 <= height; top += 24) {
        if (top % 1000 < 24) {
            painter.fillRect(0, top, width, 24, colourOf(top / 1000));
            continue;
        }
        for (int x = 40 + next(200); x < width - 200; x += 12) {
            const int word = 20 + next(70);
            painter.fillRect(x, top + 4, word, 12, QColor(32, 32, 32));
            x += word;
        }
    }
    return picture;
}

int worded(const QString& file, int megabytes)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QString words;
    while (words.size() < qsizetype(megabytes) << 20)
        words += "the words a program may put into a picture, as many as it likes; ";
    // The program's own title chunk, before the pixels as a program that writes words puts them.
    if (!screenshot(640, 480, 1).save(&buffer, "PNG") || !AddPictureTitle(png, words))
        return 1;
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(png) == png.size() ? 0 : 1;
}

// Prints \a line for the test to read, and gives back \a answer, the helper's exit code.
int say(const QString& line, int answer)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    return answer;
}

int distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

bool near(const QColor& a, const QColor& b)
{
    return distance(a, b) < 30;
}

// The picture numbers \a given names: \a first and the count after it, or those listed, each
// followed by a comma.
QList<int> pictureNumbers(const QString& given, int first)
{
    QList<int> numbers;
    for (int n = 0; !given.contains(QLatin1Char(',')) && n < given.toInt(); ++n)
        numbers.append(first + n);
    for (const QString& listed : given.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (given.contains(QLatin1Char(',')))
            numbers.append(listed.toInt());
    return numbers;
}

// The screenshots of \a folder (plain names) in filing order: the capture time, then the counter
// of names taken in the same second.
QStringList filed(const QString& folder)
{
    static const QRegularExpression name(
        QStringLiteral("^Image_(\\d{6}_\\d{6})(?:_(\\d+))?\\.(?:jpg|bmp|png)$"));
    QStringList files = QDir(folder).entryList({QStringLiteral("Image_*")}, QDir::Files);
    files.removeIf([](const QString& file) { return !name.match(file).hasMatch(); });
    const auto order = [](const QString& file) {
        const QRegularExpressionMatch match = name.match(file);
        return std::pair(match.captured(1), match.captured(2).toInt());
    };
    std::sort(files.begin(), files.end(), [&](auto& a, auto& b) { return order(a) < order(b); });
    return files;
}

// Prints, in filing order, which of pictures 1 to \a count each screenshot of \a folder is: the
// one whose colour is nearest (some are closer to each other than near() tells apart), 0 for none.
int numbers(const QString& folder, int count)
{
    for (const QString& file : filed(folder)) {
        const QColor block = QImage(folder + QLatin1Char('/') + file).pixelColor(32, 32);
        int nearest = 0;
        int least = 12; // half the least distance between two pictures' colours
        for (int n = 1; n <= count; ++n)
            if (const int apart = distance(block, colourOf(n)); apart < least)
                least = apart, nearest = n;
        say(QString::number(nearest), 0);
    }
    return 0;
}

int check(const QString& folder, const QList<int>& pictures)
{
    const QStringList files = filed(folder);
    if (files.size() != pictures.size())
        return say(QStringLiteral("%1 screenshots, not %2").arg(files.size()).arg(pictures.size()), 1);
    for (qsizetype at = 0; at < pictures.size(); ++at) {
        const QImage shot(folder + QLatin1Char('/') + files.at(at));
        if (shot.isNull() || !near(shot.pixelColor(32, 32), colourOf(pictures.at(at))))
            return say(QStringLiteral("%1 is not picture %2").arg(files.at(at)).arg(pictures.at(at)), 1);
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
                             say("restored", 0);
                         });
                     });
    clipboard->setImage(picture);
    return QGuiApplication::exec();
}

int takeover(QGuiApplication& application, bool bitmap)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    QObject::connect(clipboard, &QClipboard::dataChanged, &application, [clipboard, bitmap] {
        const QMimeData* data = clipboard->mimeData();
        if (clipboard->ownsClipboard() || !data || !data->hasFormat(QStringLiteral("image/png")))
            return;
        const QByteArray png = data->data(QStringLiteral("image/png"));
        if (png.isEmpty())
            return;
        auto* taken = new QMimeData;
        if (bitmap) {
            QByteArray bmp;
            QBuffer buffer(&bmp);
            buffer.open(QIODevice::WriteOnly);
            QImage::fromData(png).save(&buffer, "BMP");
            taken->setData(QStringLiteral("image/bmp"), bmp);
        } else {
            taken->setData(QStringLiteral("image/png"), png);
        }
        clipboard->setMimeData(taken);
        say("took over", 0);
    });
    return QGuiApplication::exec();
}

int same(const QString& first, const QString& second)
{
    const QImage a(first);
    const QImage b(second);
    if (a.isNull() || b.isNull())
        return say(QStringLiteral("%1 or %2 is not a picture").arg(first, second), 1);
    if (a.convertToFormat(QImage::Format_ARGB32) != b.convertToFormat(QImage::Format_ARGB32))
        return say(QStringLiteral("%1 and %2 differ").arg(first, second), 1);
    return 0;
}

// The colours of PaintedWindow's quarters: top left, top right, bottom left, bottom right.
const QColor quarters[] = {QColor(0xdc, 0x28, 0x28), QColor(0x28, 0xc8, 0x3c), QColor(0x28, 0x50, 0xdc),
                           QColor(0xe6, 0xd2, 0x28)};

// The quarter of the window \a shot shows, at \a left, \a top, that is not in its colour: 0 for
// none.
int wrongQuarter(const QImage& shot, int left, int top, int width, int height)
{
    // At the quarters' centres, away from the edges where JPEG blurs the colours.
    for (int quarter = 0; quarter < 4; ++quarter) {
        const QPoint centre(left + width / 4 + (quarter % 2) * width / 2,
                            top + height / 4 + (quarter / 2) * height / 2);
        if (!near(shot.pixelColor(centre), quarters[quarter]))
            return quarter + 1;
    }
    return 0;
}

int painted(const QString& file, int width, int height)
{
    const QImage shot(file);
    if (shot.isNull())
        return say(file + " is not a picture", 1);
    if (shot.size() == QSize(width, height)) {
        if (const int wrong = wrongQuarter(shot, 0, 0, width, height))
            return say(QString::asprintf("the window's quarter %d is wrong", wrong), 1);
        return say(QString::asprintf("the window, %dx%d", width, height), 0);
    }
    // The window in the compositor's frame: a title bar above it, borders as wide on its sides
    // and below, and none of the shadow around, whose pixels are black once filed.
    const int border = (shot.width() - width) / 2;
    const int titleBar = shot.height() - height - 2 * border;
    if (border >= 0 && border <= 4 && titleBar >= 16 && titleBar <= 64) {
        if (const int wrong = wrongQuarter(shot, border, border + titleBar, width, height))
            return say(QString::asprintf("the framed window's quarter %d is wrong", wrong), 1);
        const QPoint edges[] = {{shot.width() / 2, 0},
                                {shot.width() / 2, shot.height() - 1},
                                {0, shot.height() / 2},
                                {shot.width() - 1, shot.height() / 2}};
        for (const QPoint edge : edges) {
            const QColor colour = shot.pixelColor(edge);
            if (colour.red() + colour.green() + colour.blue() < 60)
                return say(QString::asprintf("a %dx%d picture, black at its edge (%d, %d)", shot.width(),
                                             shot.height(), edge.x(), edge.y()),
                           1);
        }
        return say(QString::asprintf("the framed window, %dx%d: a title bar of %d, borders of %d",
                                     shot.width(), shot.height(), titleBar, border),
                   0);
    }
    // A screen: each colour over a quarter of the window's area, give or take its edges. Only
    // rows of a colour as wide as the window's quarter count: the program's viewer, a
    // notification's thumbnail may show a smaller copy of an earlier screenshot.
    int counts[4] = {};
    for (int y = 0; y < shot.height(); ++y)
        for (int quarter = 0; quarter < 4; ++quarter)
            for (int x = 0; x < shot.width();) {
                int run = 0;
                while (x + run < shot.width() && near(shot.pixelColor(x + run, y), quarters[quarter]))
                    ++run;
                if (run >= width / 2 * 8 / 10)
                    counts[quarter] += run;
                x += std::max(run, 1);
            }
    const int area = (width / 2) * (height / 2);
    for (int quarter = 0; quarter < 4; ++quarter)
        if (counts[quarter] < area * 9 / 10 || counts[quarter] > area * 11 / 10)
            return say(
                QString::asprintf("a %dx%d picture, with %d pixels of quarter %d where the window has %d",
                                  shot.width(), shot.height(), counts[quarter], quarter + 1, area),
                1);
    return say(QString::asprintf("a %dx%d screen showing the window", shot.width(), shot.height()), 0);
}

int locate()
{
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    // The one point whose four neighbours hold the four quarters' colours, in their places.
    for (int y = 1; y < screen.height(); ++y)
        for (int x = 1; x < screen.width(); ++x)
            if (near(screen.pixelColor(x - 1, y - 1), quarters[0]) &&
                near(screen.pixelColor(x, y - 1), quarters[1]) &&
                near(screen.pixelColor(x - 1, y), quarters[2]) && near(screen.pixelColor(x, y), quarters[3]))
                return say(QStringLiteral("%1 %2").arg(x).arg(y), 0);
    return 1;
}

int copies(int apart, const QStringList& files)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    // A requestor that gave up and destroyed its window is no reason to stop.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom png = XInternAtom(display, "image/png", False);
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom incr = XInternAtom(display, "INCR", False);
    constexpr qsizetype pieceSize = 256 * 1024;
    QList<QByteArray> pictures;
    for (const QString& file : files) {
        QFile read(file);
        if (!read.open(QIODevice::ReadOnly))
            return 1;
        pictures.append(read.readAll());
    }
    struct Sending
    {
        Window requestor;
        Atom property;
        QByteArray bytes;
        qsizetype sent;
        qsizetype picture;
        bool ended; // the last piece is out: the requestor has read it all once it takes that
    };
    QList<Sending> sending;
    QList<Window> windows;
    bool lastGone = false;
    QElapsedTimer clock;
    clock.start();
    while (!lastGone || !sending.isEmpty()) {
        if (windows.size() < pictures.size() && clock.elapsed() >= windows.size() * qint64(apart)) {
            windows.append(XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0));
            XSetSelectionOwner(display, clipboard, windows.last(), CurrentTime);
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == SelectionClear && windows.size() == pictures.size() &&
                event.xselectionclear.window == windows.last()) {
                lastGone = true;
            } else if (event.type == SelectionRequest) {
                const XSelectionRequestEvent& asked = event.xselectionrequest;
                XSelectionEvent answer{
                    SelectionNotify, 0,         True, display, asked.requestor, asked.selection, asked.target,
                    asked.property,  asked.time};
                const qsizetype n = windows.indexOf(asked.owner);
                if (asked.target == targets) {
                    const Atom offered[] = {targets, png};
                    XChangeProperty(display, asked.requestor, asked.property, XA_ATOM, 32, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(offered), 2);
                } else if (asked.target == png && n >= 0) {
                    char* property = XGetAtomName(display, asked.property);
                    say(QStringLiteral("asked %1 into %2").arg(n + 1).arg(QLatin1String(property)), 0);
                    XFree(property);
                    const QByteArray& bytes = pictures.at(n);
                    // Told when the requestor takes a piece, and when its window goes, with a
                    // program killed mid-transfer.
                    XSelectInput(display, asked.requestor, PropertyChangeMask | StructureNotifyMask);
                    if (bytes.size() <= pieceSize) {
                        XChangeProperty(display, asked.requestor, asked.property, png, 8, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(bytes.constData()),
                                        static_cast<int>(bytes.size()));
                        sending.append({asked.requestor, asked.property, {}, bytes.size(), n + 1, true});
                    } else {
                        const long size = static_cast<long>(bytes.size());
                        XChangeProperty(display, asked.requestor, asked.property, incr, 32, PropModeReplace,
                                        reinterpret_cast<const unsigned char*>(&size), 1);
                        sending.append({asked.requestor, asked.property, bytes, 0, n + 1, false});
                    }
                } else {
                    answer.property = None;
                }
                XSendEvent(display, asked.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&answer));
            } else if (event.type == DestroyNotify) {
                sending.removeIf(
                    [&](const Sending& to) { return to.requestor == event.xdestroywindow.window; });
            } else if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete) {
                // The requestor took the last piece: the next one, an empty one at the end.
                for (qsizetype at = 0; at < sending.size(); ++at) {
                    Sending& to = sending[at];
                    if (to.requestor != event.xproperty.window || to.property != event.xproperty.atom)
                        continue;
                    if (to.ended) {
                        say(QStringLiteral("sent %1").arg(to.picture), 0);
                        sending.removeAt(at);
                        break;
                    }
                    const QByteArray piece = to.bytes.mid(to.sent, pieceSize);
                    XChangeProperty(display, to.requestor, to.property, png, 8, PropModeReplace,
                                    reinterpret_cast<const unsigned char*>(piece.constData()),
                                    static_cast<int>(piece.size()));
                    to.sent += piece.size();
                    to.ended = piece.isEmpty();
                    break;
                }
            }
        }
        XFlush(display);
        pollfd wait{ConnectionNumber(display), POLLIN, 0};
        ::poll(&wait, 1, 5);
    }
    XCloseDisplay(display);
    return 0;
}

int owner(const QString& mode)
{
    using Sending = ClipboardOwner::Sending;
    const QHash<QString, Sending> modes{{"never", Sending::Never}, {"silent", Sending::Silent},
                                        {"stops", Sending::Stops}, {"endless", Sending::Endless},
                                        {"hung", Sending::Hung},   {"refuses", Sending::Refuses}};
    if (!modes.contains(mode))
        return 2;
    const ClipboardOwner owning(modes.value(mode));
    for (;;)
        ::pause();
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
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 longest = 0;
    while (elapsed.elapsed() < seconds * 1000) {
        const qint64 sent = elapsed.elapsed();
        const auto stamp = static_cast<long>(serverStart + static_cast<Time>(sent));
        event = {};
        event.xclient = {ClientMessage, 0, False, display, target, protocols, 32, {}};
        event.xclient.data.l[0] = static_cast<long>(pingAtom);
        event.xclient.data.l[1] = stamp;
        event.xclient.data.l[2] = static_cast<long>(target);
        XSendEvent(display, target, False, NoEventMask, &event);
        XFlush(display);
        bool answered = false;
        while (!answered && elapsed.elapsed() - sent < 30000) {
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
        longest = std::max(longest, elapsed.elapsed() - sent);
        QThread::msleep(20);
    }
    XCloseDisplay(display);
    return say(QString::number(longest), 0);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    const QString mode = arguments.value(1);
    const auto given = [&](int least, int most) {
        return arguments.size() >= least + 2 && arguments.size() <= most + 2;
    };
    const auto number = [&](int at) { return arguments.value(at).toInt(); };
    if (mode == "pictures" && given(4, 5))
        return numbered(arguments[2], number(5), arguments.value(6, "png"),
                        [&](int n) { return screenshot(number(3), number(4), n); });
    if (mode == "page" && given(3, 3))
        return QImageWriter(arguments[2]).write(page(number(3), number(4))) ? 0 : 1;
    if (mode == "worded" && given(2, 2))
        return worded(arguments[2], number(3));
    if (mode == "check" && given(2, 3))
        return check(arguments[2], pictureNumbers(arguments[3], arguments.size() > 4 ? number(4) : 1));
    if (mode == "numbers" && given(2, 2))
        return numbers(arguments[2], number(3));
    if (mode == "manager" && given(1, 2))
        return manager(application, arguments[2], number(3));
    if (mode == "takeover" && given(1, 1) && (arguments[2] == "same" || arguments[2] == "bmp"))
        return takeover(application, arguments[2] == "bmp");
    if (mode == "same" && given(2, 2))
        return same(arguments[2], arguments[3]);
    if (mode == "copies" && arguments.size() >= 4)
        return copies(number(2), arguments.mid(3));
    if (mode == "owner" && given(1, 1))
        return owner(arguments[2]);
    if (mode == "ping" && given(2, 2))
        return ping(arguments[2], number(3));
    if (mode == "locate" && given(0, 0))
        return locate();
    if (mode == "painted" && given(3, 3))
        return painted(arguments[2], number(3), number(4));
    return 2;
}
