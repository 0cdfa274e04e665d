#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmPhotos.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace TestLibrary;

// The thumbnail viewer opened from the main window's two View buttons on generated libraries.
class tst_frmPhotos : public QObject
{
    Q_OBJECT

private:
    QString category() const { return m_dir->path() + "/Vistrelles/Default Category/"; }
    QString imageSet() const { return category() + "Default Image Set/"; }

    template <typename T> T* control(const char* name) const
    {
        return m_app->mainWindow()->findChild<T*>(QLatin1String(name));
    }

    // A bitmap of one colour, so the colour a cell shows tells which file it shows.
    static void colouredImage(const QString& path, const QColor& colour)
    {
        makeFolder(path.left(path.lastIndexOf('/')));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(path, "BMP"));
    }

    static QColor shownColour(ImageBox* cell)
    {
        const QImage& picture = cell->picture();
        return picture.pixelColor(picture.width() / 2, picture.height() / 2);
    }

    static QList<ImageBox*> cells(frmPhotos& photos)
    {
        QList<ImageBox*> found = photos.findChildren<ImageBox*>("imgPhoto");
        std::sort(found.begin(), found.end(), [](ImageBox* a, ImageBox* b) {
            return a->property("index").toInt() < b->property("index").toInt();
        });
        return found;
    }

    static QStringList visibleNames(frmPhotos& photos)
    {
        QStringList names;
        for (ImageBox* cell : cells(photos))
            if (cell->isVisibleTo(&photos))
                names.append(cell->toolTip());
        return names;
    }

    // Clicks a View button and runs \a act on the viewer it opens; the viewer is cancelled
    // afterwards unless \a act closed it. False when no viewer opened.
    bool openViewer(const char* button, const std::function<void(frmPhotos&)>& act)
    {
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            auto* photos = qobject_cast<frmPhotos*>(QApplication::activeModalWidget());
            if (!photos)
                return;
            opened = true;
            act(*photos);
            if (photos->isVisible())
                photos->reject();
        });
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
        QCoreApplication::processEvents();
        return opened;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<VistrelleApp> m_app;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), QStringList());
    }

    void cleanup()
    {
        m_app.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void paging_data()
    {
        QTest::addColumn<int>("images");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("next");
        QTest::addColumn<bool>("previous");
        QTest::newRow("15 images, one full page") << 15 << 1 << 15 << "shot_001.jpg" << false << false;
        QTest::newRow("16 images, page 1") << 16 << 1 << 15 << "shot_001.jpg" << true << false;
        QTest::newRow("16 images, page 2") << 16 << 2 << 1 << "shot_016.jpg" << false << true;
        QTest::newRow("31 images, page 2") << 31 << 2 << 15 << "shot_016.jpg" << true << true;
        QTest::newRow("31 images, page 3") << 31 << 3 << 1 << "shot_031.jpg" << false << true;
    }
    void paging()
    {
        QFETCH(int, images);
        QFETCH(int, page);
        QFETCH(int, shown);
        QFETCH(QString, first);
        QFETCH(bool, next);
        QFETCH(bool, previous);
        for (int n = images; n >= 1; --n)
            makeImage(imageSet() + QString("shot_%1.jpg").arg(n, 3, 10, QLatin1Char('0')));
        QVERIFY(m_app->start());
        QVERIFY(openViewer("cmdPhotosBySet", [&](frmPhotos& photos) {
            QCOMPARE(photos.windowTitle(), "Thumbnail Viewer - Image Set - Default Image Set");
            for (int turn = 1; turn < page; ++turn)
                QTest::mouseClick(photos.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
            const QStringList names = visibleNames(photos);
            QCOMPARE(names.size(), shown);
            QCOMPARE(names.first(), first);
            QCOMPARE(cells(photos).first()->picture().size(), QSize(171, 128));
            QCOMPARE(photos.findChild<QPushButton*>("cmdNext")->isEnabled(), next);
            QCOMPARE(photos.findChild<QPushButton*>("cmdPrevious")->isEnabled(), previous);
            QCOMPARE(m_app->state().thumbnailPageStart, 1 + 15 * (page - 1));
        }));
    }

    void layout()
    {
        makeImage(imageSet() + "a.jpg");
        QVERIFY(m_app->start());
        QVERIFY(openViewer("cmdPhotosBySet", [&](frmPhotos& photos) {
            QCOMPARE(photos.size(), QSize(740, 554));
            QCOMPARE(photos.minimumSize(), photos.maximumSize());
            QCOMPARE(photos.palette().color(QPalette::Window), QColor(64, 64, 64));
            const QList<ImageBox*> grid = cells(photos);
            QCOMPARE(grid.size(), 15);
            QCOMPARE(grid.at(5)->geometry(), QRect(192, 144, 171, 128));
            QCOMPARE(grid.at(14)->geometry(), QRect(376, 416, 171, 128));
            QCOMPARE(photos.findChild<QWidget*>("Label1")->geometry(), QRect(560, 416, 169, 73));
            QCOMPARE(photos.findChild<QPushButton*>("CancelButton")->text(), "&Cancel");
            QCOMPARE(photos.findChild<QPushButton*>("cmdPrevious")->text(), "&<--");
            QCOMPARE(photos.findChild<QPushButton*>("cmdNext")->text(), "--&>");
        }));
    }

    void noImagesToShow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("library");
        const QStringList noSets{"Full Category/Set/x.jpg", "Empty Category/"};
        QTest::newRow("empty Image Set")
            << "cmdPhotosBySet"
            << "Default Category" << QStringList{"Default Category/Default Image Set/"};
        QTest::newRow("Category of empty sets")
            << "cmdPhotosByCategory"
            << "Default Category" << QStringList{"Default Category/Set/old/"};
        QTest::newRow("Category without sets") << "cmdPhotosByCategory"
                                               << "Empty Category" << noSets;
        QTest::newRow("no Image Set to choose") << "cmdPhotosBySet"
                                                << "Empty Category" << noSets;
    }
    void noImagesToShow()
    {
        QFETCH(QString, button);
        QFETCH(QString, chosen);
        QFETCH(QStringList, library);
        for (const QString& entry : library) {
            const QString path = m_dir->path() + "/Vistrelles/" + entry;
            entry.endsWith('/') ? makeFolder(path) : void(makeImage(path));
        }
        QVERIFY(m_app->start());
        auto* categories = control<QComboBox>("cboImageSetCategory");
        const int row = categories->findText(chosen);
        categories->setCurrentIndex(row);
        emit categories->activated(row);
        QVERIFY(!openViewer(qPrintable(button), [](frmPhotos&) {}));
        QCOMPARE(m_fakes->boxes.texts(), QStringList{"There are no images to show."});
        QCOMPARE(m_fakes->boxes.shown.first().look, BoxLook::Information);
    }

    void categoryRowsAndStepping()
    {
        colouredImage(category() + "alpha/1.bmp", Qt::red);
        colouredImage(category() + "alpha/2.bmp", Qt::green);
        colouredImage(category() + "alpha/3.bmp", Qt::blue);
        colouredImage(category() + "deep/old/x.bmp", Qt::yellow);
        makeFolder(category() + "empty");
        for (int n = 1; n <= 14; ++n)
            colouredImage(category() + QString("set %1/a.bmp").arg(n, 2, 10, QLatin1Char('0')), Qt::white);
        QVERIFY(m_app->start());
        QVERIFY(openViewer("cmdPhotosByCategory", [&](frmPhotos& photos) {
            QCOMPARE(photos.windowTitle(), "Thumbnail Viewer - Category - Default Category");
            const QStringList names = visibleNames(photos);
            QCOMPARE(names.size(), 15);
            QCOMPARE(names.mid(0, 3), (QStringList{"alpha", "deep", "set 01"}));
            ImageBox* alpha = cells(photos).first();
            QCOMPARE(shownColour(alpha), QColor(Qt::red));
            QList<QColor> seen;
            for (int click = 0; click < 3; ++click) {
                QTest::mouseClick(alpha, Qt::LeftButton);
                seen.append(shownColour(alpha));
            }
            QCOMPARE(seen, (QList<QColor>{Qt::green, Qt::blue, Qt::red}));
            QTest::mouseClick(alpha, Qt::LeftButton);
            QCOMPARE(alpha->toolTip(), "alpha");

            QVERIFY(photos.findChild<QPushButton*>("cmdNext")->isEnabled());
            QTest::mouseClick(photos.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
            QCOMPARE(visibleNames(photos), QStringList{"set 14"});
            QTest::mouseClick(photos.findChild<QPushButton*>("cmdPrevious"), Qt::LeftButton);
            QCOMPARE(shownColour(alpha), QColor(Qt::red));
            QCOMPARE(m_app->state().thumbnailSlots[0], 1);
        }));
    }

    void undecodableFileShowsAPlaceholder()
    {
        colouredImage(imageSet() + "a.bmp", Qt::red);
        makeFile(imageSet() + "b.jpg", "not a picture");
        colouredImage(imageSet() + "c.bmp", Qt::blue);
        QVERIFY(m_app->start());
        QVERIFY(openViewer("cmdPhotosBySet", [&](frmPhotos& photos) {
            QCOMPARE(visibleNames(photos), (QStringList{"a.bmp", "b.jpg", "c.bmp"}));
            ImageBox* broken = cells(photos).at(1);
            QCOMPARE(broken->picture().size(), QSize(171, 128));
            QVERIFY(shownColour(broken) != QColor(Qt::red) && shownColour(broken) != QColor(Qt::blue));
            QCOMPARE(shownColour(cells(photos).at(2)), QColor(Qt::blue));
        }));
    }

    void pickingAFile_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("selected");
        QTest::newRow("listed file") << 1 << "image_040417_101010.bmp";
        QTest::newRow("file added since the refresh: list unchanged") << 2 << "a.jpg";
    }
    void pickingAFile()
    {
        QFETCH(int, cell);
        QFETCH(QString, selected);
        makeImage(imageSet() + "a.jpg");
        makeImage(imageSet() + "image_040417_101010.bmp", QSize(30, 20));
        makeImage(imageSet() + "c.jpg");
        QVERIFY(m_app->start());
        auto* list = control<QListWidget>("lstComponents");
        list->setCurrentRow(0);
        QFile::rename(imageSet() + "c.jpg", imageSet() + "new.jpg");
        QVERIFY(openViewer("cmdPhotosBySet", [&](frmPhotos& photos) {
            QTest::mouseDClick(cells(photos).at(cell), Qt::LeftButton);
            QVERIFY(!photos.isVisible());
        }));
        QCOMPARE(list->currentItem()->text(), selected);
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(m_app->state().currentFileIndex, list->currentRow() + 1);
        if (selected != "a.jpg")
            QCOMPARE(m_app->mainWindow()->focusWidget(), list);

        // Cancel after a pick leaves the list as it is.
        list->setCurrentRow(2);
        QVERIFY(openViewer("cmdPhotosBySet", [](frmPhotos& photos) {
            QTest::mouseClick(photos.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        }));
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(list->selectedItems().size(), 1);
    }

    void pickingASet_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("imageSet");
        QTest::newRow("another set") << "Default Image Set"
                                     << "Default Image Set";
        QTest::newRow("a set named like a file") << "set.abc"
                                                 << "beta";
    }
    void pickingASet()
    {
        QFETCH(QString, picked);
        QFETCH(QString, imageSet);
        makeImage(category() + "beta/b.jpg");
        makeImage(category() + "Default Image Set/d.jpg");
        makeImage(category() + "set.abc/s.jpg");
        QVERIFY(m_app->start());
        QVERIFY(openViewer("cmdPhotosByCategory", [&](frmPhotos& photos) {
            const int cell = visibleNames(photos).indexOf(picked);
            QVERIFY(cell >= 0);
            QTest::mouseDClick(cells(photos).at(cell), Qt::LeftButton);
        }));
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), imageSet);
        QCOMPARE(m_app->state().currentImageSet, imageSet);
        QCOMPARE(control<QListWidget>("lstComponents")->item(0)->text(),
                 imageSet == "beta" ? "b.jpg" : "d.jpg");
    }
};

QTEST_MAIN(tst_frmPhotos)
#include "tst_frmPhotos.moc"
