// The end-to-end tests' own X client:
//   pictures DIR WIDTH HEIGHT COUNT [EXT]  COUNT different screenshots, pic_01.png ... (or .EXT);
//                                     picture n has a flat block of its own colour at the top left
//   check DIR COUNT                   the screenshots in DIR are COUNT whole pictures of that
//                                     size, picture 1 to COUNT in the order they were filed
//   manager FILE                      a clipboard manager holding the picture in FILE: it puts it
//                                     on the clipboard, and back whenever the clipboard is
//                                     emptied; prints "restored" each time it puts it back
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
#include <cstdio>

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

int manager(QGuiApplication& application, const QString& file)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QImage picture(file);
    if (picture.isNull())
        return 1;
    QObject::connect(clipboard, &QClipboard::dataChanged, &application, [clipboard, picture] {
        const QMimeData* data = clipboard->mimeData();
        if (data && !data->formats().isEmpty())
            return;
        clipboard->setImage(picture);
        std::printf("restored\n");
        std::fflush(stdout);
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
    if (arguments.size() == 3 && arguments[1] == QLatin1String("manager"))
        return manager(application, arguments[2]);
    if (arguments.size() == 2 && arguments[1] == QLatin1String("locate"))
        return locate();
    if (arguments.size() == 5 && arguments[1] == QLatin1String("painted"))
        return painted(arguments[2], arguments[3].toInt(), arguments[4].toInt());
    return 2;
}
