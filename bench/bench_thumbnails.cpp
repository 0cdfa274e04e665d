// Filling one page of the thumbnail viewer from fifteen 3840x2160 JPEG screenshots: decoded at
// the cell's size, against decoded at full size and stretched by the cells when painted.
#include "core/AppState.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmPhotos.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 7;

// Something like a desktop: flat panels, lines of text and a photo-like gradient, so the
// JPEG files have a realistic size.
QImage screenshot(int seed)
{
    QImage image(3840, 2160, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 3840, 2160);
    sky.setColorAt(0, QColor(20, 60, 120));
    sky.setColorAt(1, QColor(200, 140, 60));
    painter.fillRect(image.rect(), sky);
    for (int window = 0; window < 12; ++window) {
        const QRect frame(random.bounded(3000), random.bounded(1600), 400 + random.bounded(1200),
                          300 + random.bounded(900));
        painter.fillRect(frame, QColor::fromRgb(random.generate() | 0xff808080));
        painter.setPen(Qt::black);
        for (int line = 0; line < frame.height() / 24; ++line)
            painter.drawText(frame.left() + 10, frame.top() + 24 * (line + 1),
                             QStringLiteral("Line %1 of window %2, seed %3").arg(line).arg(window).arg(seed));
    }
    return image;
}

double medianMs(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

qint64 pixelBytesHeld(frmPhotos& photos)
{
    qint64 bytes = 0;
    for (const ImageBox* cell : photos.findChildren<ImageBox*>(QStringLiteral("imgPhoto")))
        bytes += cell->picture().sizeInBytes();
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    AppState state;
    state.dirMax = 500;
    for (int n = 0; n < frmPhotos::cellCount; ++n) {
        const QString path =
            dir.filePath(QStringLiteral("Image_261206_1530%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        screenshot(n).save(path, "JPEG", 90);
        state.thumbnailEntries.append({QStringLiteral("shot"), {path}});
    }

    frmPhotos photos(state, QImage(), nullptr);
    const QList<ImageBox*> cells = photos.findChildren<ImageBox*>(QStringLiteral("imgPhoto"));

    const double scaled = medianMs([&] {
        photos.FillThumbnailPage();
        photos.grab();
    });
    const qint64 scaledBytes = pixelBytesHeld(photos);

    const double full = medianMs([&] {
        for (ImageBox* cell : cells) {
            const int row = cell->property("index").toInt();
            cell->setPicture(QImage());
            cell->setPicture(QImageReader(state.thumbnailEntries.at(row).images.first()).read());
        }
        photos.grab();
    });
    const qint64 fullBytes = pixelBytesHeld(photos);

    std::printf("page of 15 cells from 3840x2160 JPEG files, median of %d runs\n", runs);
    std::printf("  decoded at the cell's size:           %8.1f ms   pictures held %7.2f MB\n", scaled,
                scaledBytes / 1048576.0);
    std::printf("  decoded at full size, then stretched: %8.1f ms   pictures held %7.2f MB\n", full,
                fullBytes / 1048576.0);
    std::printf("  full size / cell size:                %8.1fx  time,  %6.0fx memory\n", full / scaled,
                static_cast<double>(fullBytes) / scaledBytes);
    return 0;
}
