#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"

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
    // Fifteen cells a page: two full pages, stepped through with Next.
    void paging()
    {
        AppUnderTest t;
        for (int n = 30; n >= 1; --n)
            makeImage(t.defaultSet() + QString("s%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        QVERIFY(t.start());
        QStringList seen; // first-last file shown, Previous and Next enabled
        QVERIFY(t.inDialog("cmdPhotosBySet", [&](QWidget& photos) {
            for (int page = 0; page < 2; ++page) {
                if (page > 0)
                    QTest::mouseClick(photos.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
                const QStringList names = visibleNames(photos);
                seen << QString("%1-%2 %3%4")
                            .arg(names.first().chopped(4), names.last().chopped(4))
                            .arg(int(photos.findChild<QPushButton*>("cmdPrevious")->isEnabled()))
                            .arg(int(photos.findChild<QPushButton*>("cmdNext")->isEnabled()));
            }
        }));
        QCOMPARE(seen, (QStringList{"s01-s15 01", "s16-s30 10"}));
    }

    void categoryRowsAndStepping()
    {
        AppUnderTest t;
        const QString category = t.root() + "Default Category/";
        makeFolder(category + "empty/old");
        QVERIFY(t.start());
        QVERIFY(!t.inDialog("cmdPhotosBySet", [](QWidget&) {}));
        QVERIFY(!t.inDialog("cmdPhotosByCategory", [](QWidget&) {}));
        QCOMPARE(t.fakes.boxes.texts(), QStringList(2, "There are no images to show."));

        makeImage(category + "alpha/1.bmp", QSize(64, 48), Qt::red);
        makeImage(category + "alpha/2.bmp", QSize(64, 48), Qt::green);
        makeImage(category + "alpha/3.bmp", QSize(64, 48), Qt::blue);
        makeImage(category + "deep/old/x.bmp", QSize(64, 48), Qt::yellow);
        makeFile(category + "deep/old/y.jpg", "not a picture");
        makeImage(category + "set.abc/a.bmp");
        t.click("cmdRefresh");
        QVERIFY(t.inDialog("cmdPhotosByCategory", [&](QWidget& photos) {
            QCOMPARE(visibleNames(photos), (QStringList{"alpha", "deep", "set.abc"}));
            QCOMPARE(shown(photos, 1), QColor(Qt::yellow)); // a set shows its sub-folders' pictures too
            for (const QColor colour : {QColor(Qt::green), QColor(Qt::blue), QColor(Qt::red)}) {
                QTest::mouseClick(cell(photos, 0), Qt::LeftButton); // a set steps through its pictures
                QCOMPARE(shown(photos, 0), colour);
            }
            // An undecodable file shows a placeholder of the cell's size.
            QTest::mouseClick(cell(photos, 1), Qt::LeftButton);
            QCOMPARE(cell(photos, 1)->picture().size(), QSize(171, 128));
            QVERIFY(shown(photos, 1) != QColor(Qt::yellow));
        }));

        // A double click on a set makes it the Image Set, unless its name looks like a file's.
        for (const int picked : {1, 2}) {
            QVERIFY(t.inDialog("cmdPhotosByCategory", [picked](QWidget& photos) {
                QTest::mouseDClick(cell(photos, picked), Qt::LeftButton);
            }));
            QCOMPARE(t.shownSet(), "Default Category/deep");
        }
        QCOMPARE(t.listed().first(), "x.bmp");
    }

    // A wide and a tall picture keep their shape, centred in their cells on the dark background;
    // nothing is drawn behind the cells. A double click picks the file the cell shows, also when a
    // capture has moved the lines since the viewer opened; Cancel leaves the list as it is.
    void thumbnailsAndPicking()
    {
        AppUnderTest t;
        makeImage(t.defaultSet() + "a.png", QSize(400, 100), Qt::red);
        makeImage(t.defaultSet() + "image_040417_101010.png", QSize(100, 400), Qt::red);
        makeImage(t.defaultSet() + "k.jpeg");
        QVERIFY(t.start());
        QVERIFY(t.inDialog("cmdPhotosBySet", [&t](QWidget& photos) {
            const QList<std::pair<QSize, QPoint>> shapes{{QSize(171, 42), QPoint(85, 10)},
                                                         {QSize(32, 128), QPoint(20, 64)}};
            for (int index = 0; index < 2; ++index) {
                const auto& [size, outside] = shapes.at(index);
                QCOMPARE(cell(photos, index)->picture().size(), size);
                const QImage drawn = cell(photos, index)->grab().toImage();
                QCOMPARE(drawn.pixelColor(drawn.rect().center()), QColor(Qt::red));
                QCOMPARE(drawn.pixelColor(outside), QColor(64, 64, 64));
            }
            const QImage page = photos.grab().toImage();
            const QRect empty = cell(photos, 4)->geometry().united(cell(photos, 11)->geometry());
            QImage background(empty.size(), page.format());
            background.fill(QColor(64, 64, 64));
            QCOMPARE(page.copy(empty), background); // nothing drawn behind the empty cells

            t.copy();
            t.main().tmrTimer_Timer();
            QTRY_COMPARE(t.listed().size(), 4);
            QTest::mouseDClick(cell(photos, 2), Qt::LeftButton);
        }));
        QCOMPARE(t.listed(),
                 (QStringList{"a.png", "image_040417_101010.png", "Image_040417_155228.jpg", "k.jpeg"}));
        QCOMPARE(t.selectedRows(), QList{3});
        QCOMPARE(t.main().focusWidget(), t.list());

        t.setCurrentLine(0);
        QVERIFY(t.inDialog("cmdPhotosBySet", [](QWidget& photos) {
            QTest::mouseClick(photos.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        }));
        QCOMPARE(t.selectedRows(), QList{0});
    }
};

QTEST_MAIN(tst_frmPhotos)
#include "tst_frmPhotos.moc"
