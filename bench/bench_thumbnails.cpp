// Filling one page of the thumbnail viewer from fifteen 3840x2160 JPEG screenshots: decoded at
// the cell's size, against decoded at full size and stretched by the cells when painted.
#include "ScreenshotLike.h"
#include "Timing.h"
#include "library/ImageSetModel.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmPhotos.h"

#include <QApplication>
#include <QImageReader>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int runs = 7;

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
    QStandardItemModel rows;
    for (int n = 0; n < frmPhotos::cellCount; ++n) {
        const QString path =
            dir.filePath(QStringLiteral("Image_261206_1530%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        ScreenshotLike(3840, 2160, n).save(path, "JPEG", 90);
        auto* row = new QStandardItem(QStringLiteral("shot"));
        row->setData(QStringList{path}, ImageSetModel::ImagesRole);
        rows.appendRow(row);
    }

    frmPhotos photos(rows, rows.rowCount(), nullptr);
    const QList<ImageBox*> cells = photos.findChildren<ImageBox*>(QStringLiteral("imgPhoto"));

    const double scaled = Median(TimeRuns(runs, [&] {
        photos.FillThumbnailPage();
        photos.grab();
    }));
    const qint64 scaledBytes = pixelBytesHeld(photos);

    const double full = Median(TimeRuns(runs, [&] {
        for (ImageBox* cell : cells) {
            const int row = cell->property("index").toInt();
            cell->setPicture(QImage());
            cell->setPicture(
                QImageReader(rows.item(row)->data(ImageSetModel::ImagesRole).toStringList().first()).read());
        }
        photos.grab();
    }));
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
