#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"

#include <QUrl>

using namespace TestLibrary;

namespace {

ImageBox* cell(QWidget& photos, int index)
{
    for (ImageBox* box : photos.findChildren<ImageBox*>("imgPhoto"))
        if (box->property("index").toInt() == index)
            return box;
    return nullptr;
}
// Each picture is of one colour: the colour a cell shows tells which file it shows.
QColor shown(QWidget& photos, int index)
{
    return cell(photos, index)->picture().pixelColor(85, 64);
}
QStringList visibleNames(QWidget& photos)
{
    QStringList names;
    for (int index = 0; index < 15; ++index)
        if (cell(photos, index)->isVisibleTo(&photos))
            names.append(cell(photos, index)->toolTip());
    return names;
}

} // namespace

// The thumbnail viewer opened from the main window's two View buttons on generated libraries.
class tst_frmPhotos : public QObject
{
    Q_OBJECT

private slots:
    // Fifteen cells a page; the set fills exactly two. A wide and a tall picture keep their shape,
    // centred in their cells on the dark background; cells beyond the last are hidden. A double
    // click picks the file the cell shows, also when a capture has moved the lines since the viewer
    // opened. By Category, a cell steps through its set's pictures, those of its sub-folders too.
    void thumbnails()
    {
        AppUnderTest t;
        const QString category = t.root() + "Default Category/";
        makeFolder(category + "empty/old");
        QVERIFY(t.start());
        QVERIFY(!t.inDialog("cmdPhotosBySet", [](QWidget&) {}));
        QVERIFY(!t.inDialog("cmdPhotosByCategory", [](QWidget&) {}));
        QCOMPARE(t.fakes.boxes.texts(), QStringList(2, "There are no images to show."));

        makeImage(t.defaultSet() + "a.png", QSize(400, 100), Qt::red);
        makeImage(t.defaultSet() + "image_040417_101010.png", QSize(100, 400), Qt::red);
        makeImage(t.defaultSet() + "k.jpeg");
        for (int n = 27; n >= 1; --n)
            makeImage(t.defaultSet() + QString("s%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        makeImage(category + "alpha/1.bmp", QSize(64, 48), Qt::red);
        makeImage(category + "alpha/2.bmp", QSize(1400, 1050), Qt::green);
        makeImage(category + "alpha/3.bmp", QSize(64, 48), Qt::blue);
        makeImage(category + "deep/old/x.bmp", QSize(64, 48), Qt::yellow);
        makeFile(category + "deep/old/y.jpg", "not a picture");
        makeImage(category + "set.abc/a.bmp");
        t.click("cmdRefresh");
        t.choose("cboImageSetName", "Default Image Set");
        QStringList pages; // first-last file shown, Previous and Next enabled
        QVERIFY(t.inDialog("cmdPhotosBySet", [&](QWidget& photos) {
            const QList<std::pair<QSize, QPoint>> shapes{{QSize(171, 42), QPoint(85, 10)},
                                                         {QSize(32, 128), QPoint(20, 64)}};
            for (int index = 0; index < 2; ++index) {
                const auto& [size, outside] = shapes.at(index);
                QCOMPARE(cell(photos, index)->picture().size(), size);
                const QImage drawn = cell(photos, index)->grab().toImage();
                QCOMPARE(drawn.pixelColor(drawn.rect().center()), QColor(Qt::red));
                QCOMPARE(drawn.pixelColor(outside), QColor(64, 64, 64));
            }
            for (const char* step : {"cmdNext", "cmdPrevious"}) {
                const QStringList names = visibleNames(photos);
                pages << QString("%1-%2 %3%4")
                             .arg(names.first().chopped(4), names.last().chopped(4))
                             .arg(int(photos.findChild<QPushButton*>("cmdPrevious")->isEnabled()))
                             .arg(int(photos.findChild<QPushButton*>("cmdNext")->isEnabled()));
                QTest::mouseClick(photos.findChild<QPushButton*>(step), Qt::LeftButton);
            }
            t.copy();
            t.app.heartbeat().tick();
            QTRY_COMPARE(t.listed().size(), 31);
            QTest::mouseDClick(cell(photos, 2), Qt::LeftButton);
        }));
        QCOMPARE(pages, (QStringList{"a-s12 01", "s13-s27 10"}));
        QCOMPARE(t.listed().mid(2, 2), (QStringList{"Image_040417_155228.jpg", "k.jpeg"}));
        QCOMPARE(t.selectedRows(), QList{3});
        QCOMPARE(t.main().focusWidget(), t.list());

        QVERIFY(t.inDialog("cmdPhotosByCategory", [&](QWidget& photos) {
            QCOMPARE(visibleNames(photos), (QStringList{"alpha", "deep", "Default Image Set", "set.abc"}));
            QCOMPARE(shown(photos, 1), QColor(Qt::yellow));
            for (const QColor colour : {QColor(Qt::green), QColor(Qt::blue), QColor(Qt::red)}) {
                QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
                // A picture above a megapixel comes a moment later: the window does not wait.
                if (colour == Qt::green)
                    QVERIFY(cell(photos, 0)->picture().isNull());
                QTRY_COMPARE(shown(photos, 0), colour);
            }
            // Ctrl+C copies the picture the cell clicked last shows.
            QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
            QTest::keyClick(photos.windowHandle(), Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(t.fakes.clipboard.offered->urls(), QList{QUrl::fromLocalFile(category + "alpha/2.bmp")});
            QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
            QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
            // An undecodable file shows a placeholder of the cell's size.
            QTest::mouseClick(cell(photos, 1), Qt::LeftButton);
            QCOMPARE(cell(photos, 1)->picture().size(), QSize(171, 128));
            QVERIFY(shown(photos, 1) != QColor(Qt::yellow));
        }));
        // A double click on a set makes it the Image Set, unless its name looks like a file's.
        for (const int picked : {1, 3}) {
            QVERIFY(t.inDialog("cmdPhotosByCategory", [picked](QWidget& photos) {
                QTest::mouseDClick(cell(photos, picked), Qt::LeftButton);
            }));
            QCOMPARE(t.shownSet(), "Default Category/deep");
        }
        QCOMPARE(t.listed().first(), "x.bmp");
    }
};

QTEST_MAIN(tst_frmPhotos)
#include "tst_frmPhotos.moc"
