#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace TestLibrary;

namespace {

// A bitmap of one colour: the colour a cell shows tells which file it shows.
void colouredImage(const QString& path, const QColor& colour)
{
    makeFolder(path.left(path.lastIndexOf('/')));
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "BMP"));
}

ImageBox* cell(QWidget& photos, int index)
{
    for (ImageBox* box : photos.findChildren<ImageBox*>("imgPhoto"))
        if (box->property("index").toInt() == index)
            return box;
    return nullptr;
}
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
void press(QWidget& photos, const char* button)
{
    QTest::mouseClick(photos.findChild<QPushButton*>(button), Qt::LeftButton);
}

} // namespace

// The thumbnail viewer opened from the main window's two View buttons on generated libraries.
class tst_frmPhotos : public QObject
{
    Q_OBJECT

private slots:
    void paging_data()
    {
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("shownFirstLast");
        QTest::addColumn<bool>("next");
        QTest::addColumn<bool>("previous");
        QTest::newRow("15 images") << 15 << 1 << QStringList{"s01.jpg", "s15.jpg"} << false << false;
        QTest::newRow("16 images, page 1") << 16 << 1 << QStringList{"s01.jpg", "s15.jpg"} << true << false;
        QTest::newRow("16 images, page 2") << 16 << 2 << QStringList{"s16.jpg"} << false << true;
        QTest::newRow("31 images, page 2") << 31 << 2 << QStringList{"s16.jpg", "s30.jpg"} << true << true;
    }
    void paging()
    {
        QFETCH(int, images);
        QFETCH(int, page);
        QFETCH(QStringList, shownFirstLast);
        QFETCH(bool, next);
        QFETCH(bool, previous);
        AppUnderTest t;
        for (int n = images; n >= 1; --n)
            makeImage(t.defaultSet() + QString("s%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        QVERIFY(t.start());
        QVERIFY(t.inDialog("cmdPhotosBySet", [&](QWidget& photos) {
            QCOMPARE(photos.windowTitle(), "Thumbnail Viewer - Image Set - Default Image Set");
            for (int turn = 1; turn < page; ++turn)
                press(photos, "cmdNext");
            QStringList names = visibleNames(photos);
            if (names.size() > 2)
                names.remove(1, names.size() - 2);
            QCOMPARE(names, shownFirstLast);
            QCOMPARE(photos.findChild<QPushButton*>("cmdNext")->isEnabled(), next);
            QCOMPARE(photos.findChild<QPushButton*>("cmdPrevious")->isEnabled(), previous);
        }));
    }

    void noImagesToShow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("entry");
        QTest::newRow("empty Image Set") << "cmdPhotosBySet"
                                         << "Other Set/old/";
        QTest::newRow("Category of empty sets") << "cmdPhotosByCategory"
                                                << "Other Set/old/";
        QTest::newRow("no Image Set to choose") << "cmdPhotosBySet"
                                                << "loose.jpg";
    }
    void noImagesToShow()
    {
        QFETCH(QString, button);
        QFETCH(QString, entry);
        AppUnderTest t;
        const QString category = t.root() + "Default Category/";
        entry.endsWith('/') ? makeFolder(category + entry) : void(makeImage(category + entry));
        QVERIFY(t.start());
        QVERIFY(!t.inDialog(qPrintable(button), [](QWidget&) {}));
        QCOMPARE(t.fakes.boxes.texts(), QStringList{"There are no images to show."});
        QCOMPARE(t.fakes.boxes.shown.first().look, BoxLook::Information);
    }

    void categoryRowsAndStepping()
    {
        AppUnderTest t;
        const QString category = t.root() + "Default Category/";
        colouredImage(category + "alpha/1.bmp", Qt::red);
        colouredImage(category + "alpha/2.bmp", Qt::green);
        colouredImage(category + "alpha/3.bmp", Qt::blue);
        colouredImage(category + "deep/old/x.bmp", Qt::yellow);
        makeFile(category + "deep/old/y.jpg", "not a picture");
        makeFolder(category + "empty");
        for (int n = 1; n <= 13; ++n)
            colouredImage(category + QString("set %1/a.bmp").arg(n, 2, 10, QLatin1Char('0')), Qt::white);
        colouredImage(category + "set.abc/a.bmp", Qt::white);
        QVERIFY(t.start());
        QCOMPARE(t.control<QComboBox>("cboImageSetName")->currentText(), "alpha");
        QVERIFY(t.inDialog("cmdPhotosByCategory", [&](QWidget& photos) {
            QCOMPARE(photos.windowTitle(), "Thumbnail Viewer - Category - Default Category");
            QCOMPARE(visibleNames(photos).mid(0, 3), (QStringList{"alpha", "deep", "set 01"}));
            QList<QColor> seen{shown(photos, 0)};
            for (int turn = 0; turn < 3; ++turn) {
                QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
                seen.append(shown(photos, 0));
            }
            QCOMPARE(seen, (QList<QColor>{Qt::red, Qt::green, Qt::blue, Qt::red}));
            // An undecodable file shows a placeholder of the cell's size.
            QTest::mouseClick(cell(photos, 1), Qt::LeftButton);
            QCOMPARE(cell(photos, 1)->picture().size(), QSize(171, 128));
            QVERIFY(shown(photos, 1) != QColor(Qt::yellow));

            QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
            press(photos, "cmdNext");
            QCOMPARE(visibleNames(photos), QStringList{"set.abc"});
            press(photos, "cmdPrevious");
            QCOMPARE(shown(photos, 0), QColor(Qt::red));
            QCOMPARE(shown(photos, 1), QColor(Qt::yellow));
        }));

        // A double click on a set makes it the Image Set, unless its name looks like a file's.
        for (int page : {2, 1}) {
            QVERIFY(t.inDialog("cmdPhotosByCategory", [page](QWidget& photos) {
                if (page == 2)
                    press(photos, "cmdNext");
                QTest::mouseDClick(cell(photos, page == 2 ? 0 : 1), Qt::LeftButton);
            }));
            QCOMPARE(t.control<QComboBox>("cboImageSetName")->currentText(), page == 2 ? "alpha" : "deep");
        }
        QCOMPARE(t.listed().first(), "x.bmp");
    }

    void pickingAFile()
    {
        AppUnderTest t;
        for (const char* name : {"a.jpg", "image_040417_101010.bmp", "c.jpg"})
            makeImage(t.defaultSet() + name);
        QVERIFY(t.start());
        QListWidget* list = t.list();
        const auto pickThird = [](QWidget& photos) { QTest::mouseDClick(cell(photos, 2), Qt::LeftButton); };
        QVERIFY(t.inDialog("cmdPhotosBySet", pickThird));
        QCOMPARE(list->selectedItems(), QList{list->item(2)});
        QCOMPARE(list->item(2)->text(), "image_040417_101010.bmp");
        QCOMPARE(t.state().currentFileIndex, 3);
        QCOMPARE(t.main().focusWidget(), list);

        // Cancel, or a file the list does not hold, leaves the list as it is.
        list->setCurrentRow(0);
        QVERIFY(t.inDialog("cmdPhotosBySet", [](QWidget& photos) { press(photos, "CancelButton"); }));
        QFile::rename(t.defaultSet() + "c.jpg", t.defaultSet() + "new.jpg");
        QVERIFY(t.inDialog("cmdPhotosBySet", pickThird));
        QCOMPARE(list->selectedItems(), QList{list->item(0)});
    }
};

QTEST_MAIN(tst_frmPhotos)
#include "tst_frmPhotos.moc"
