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
    template <typename T> T* control(const char* name) const
    {
        return m_app->mainWindow()->findChild<T*>(QLatin1String(name));
    }

    // A bitmap of one colour: the colour a cell shows tells which file it shows.
    static void colouredImage(const QString& path, const QColor& colour)
    {
        makeFolder(path.left(path.lastIndexOf('/')));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(path, "BMP"));
    }
    static QColor shown(ImageBox* cell) { return cell->picture().pixelColor(85, 64); }

    static ImageBox* cell(frmPhotos& photos, int index)
    {
        for (ImageBox* box : photos.findChildren<ImageBox*>("imgPhoto"))
            if (box->property("index").toInt() == index)
                return box;
        return nullptr;
    }
    static QStringList visibleNames(frmPhotos& photos)
    {
        QStringList names;
        for (int index = 0; index < 15; ++index)
            if (cell(photos, index)->isVisibleTo(&photos))
                names.append(cell(photos, index)->toolTip());
        return names;
    }

    // Clicks a View button and runs \a act on the viewer it opens, which is then cancelled
    // unless \a act closed it. False when no viewer opened.
    bool openViewer(const char* button, const std::function<void(frmPhotos&)>& act)
    {
        bool opened = false;
        QTimer::singleShot(0, this, [&] {
            if (auto* photos = qobject_cast<frmPhotos*>(QApplication::activeModalWidget())) {
                opened = true;
                act(*photos);
                if (photos->isVisible())
                    photos->reject();
            }
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
        for (int n = images; n >= 1; --n)
            makeImage(category() + QString("Default Image Set/s%1.jpg").arg(n, 2, 10, QLatin1Char('0')));
        QVERIFY(m_app->start());
        QVERIFY(openViewer("cmdPhotosBySet", [&](frmPhotos& photos) {
            QCOMPARE(photos.windowTitle(), "Thumbnail Viewer - Image Set - Default Image Set");
            for (int turn = 1; turn < page; ++turn)
                QTest::mouseClick(photos.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
            QStringList names = visibleNames(photos);
            if (names.size() > 2)
                names.remove(1, names.size() - 2);
            QCOMPARE(names, shownFirstLast);
            QCOMPARE(cell(photos, 0)->picture().size(), QSize(171, 128));
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
        entry.endsWith('/') ? makeFolder(category() + entry) : void(makeImage(category() + entry));
        QVERIFY(m_app->start());
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
        makeFile(category() + "deep/old/y.jpg", "not a picture");
        makeFolder(category() + "empty");
        for (int n = 1; n <= 13; ++n)
            colouredImage(category() + QString("set %1/a.bmp").arg(n, 2, 10, QLatin1Char('0')), Qt::white);
        colouredImage(category() + "set.abc/a.bmp", Qt::white);
        QVERIFY(m_app->start());
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), "alpha");
        QVERIFY(openViewer("cmdPhotosByCategory", [&](frmPhotos& photos) {
            QCOMPARE(photos.windowTitle(), "Thumbnail Viewer - Category - Default Category");
            QCOMPARE(visibleNames(photos).mid(0, 3), (QStringList{"alpha", "deep", "set 01"}));
            QList<QColor> seen{shown(cell(photos, 0))};
            for (int turn = 0; turn < 3; ++turn) {
                QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
                seen.append(shown(cell(photos, 0)));
            }
            QCOMPARE(seen, (QList<QColor>{Qt::red, Qt::green, Qt::blue, Qt::red}));
            // An undecodable file shows a placeholder of the cell's size.
            QTest::mouseClick(cell(photos, 1), Qt::LeftButton);
            QCOMPARE(cell(photos, 1)->picture().size(), QSize(171, 128));
            QVERIFY(shown(cell(photos, 1)) != QColor(Qt::yellow));

            QTest::mouseClick(cell(photos, 0), Qt::LeftButton);
            QTest::mouseClick(photos.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
            QCOMPARE(visibleNames(photos), QStringList{"set.abc"});
            QTest::mouseClick(photos.findChild<QPushButton*>("cmdPrevious"), Qt::LeftButton);
            QCOMPARE(shown(cell(photos, 0)), QColor(Qt::red));
            QCOMPARE(shown(cell(photos, 1)), QColor(Qt::yellow));
        }));

        // A double click on a set makes it the Image Set, unless its name looks like a file's.
        for (int page : {2, 1}) {
            QVERIFY(openViewer("cmdPhotosByCategory", [page](frmPhotos& photos) {
                if (page == 2)
                    QTest::mouseClick(photos.findChild<QPushButton*>("cmdNext"), Qt::LeftButton);
                QTest::mouseDClick(cell(photos, page == 2 ? 0 : 1), Qt::LeftButton);
            }));
            QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), page == 2 ? "alpha" : "deep");
        }
        QCOMPARE(control<QListWidget>("lstComponents")->item(0)->text(), "x.bmp");
    }

    void pickingAFile()
    {
        makeImage(category() + "Default Image Set/a.jpg");
        makeImage(category() + "Default Image Set/image_040417_101010.bmp");
        makeImage(category() + "Default Image Set/c.jpg");
        QVERIFY(m_app->start());
        auto* list = control<QListWidget>("lstComponents");
        QVERIFY(openViewer("cmdPhotosBySet",
                           [](frmPhotos& photos) { QTest::mouseDClick(cell(photos, 2), Qt::LeftButton); }));
        QCOMPARE(list->selectedItems(), QList{list->item(2)});
        QCOMPARE(list->item(2)->text(), "image_040417_101010.bmp");
        QCOMPARE(m_app->state().currentFileIndex, 3);
        QCOMPARE(m_app->mainWindow()->focusWidget(), list);

        // Cancel, or a file the list does not hold, leaves the list as it is.
        list->setCurrentRow(0);
        QVERIFY(openViewer("cmdPhotosBySet", [](frmPhotos& photos) {
            QTest::mouseClick(photos.findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
        }));
        QFile::rename(category() + "Default Image Set/c.jpg", category() + "Default Image Set/new.jpg");
        QVERIFY(openViewer("cmdPhotosBySet",
                           [](frmPhotos& photos) { QTest::mouseDClick(cell(photos, 2), Qt::LeftButton); }));
        QCOMPARE(list->selectedItems(), QList{list->item(0)});
    }
};

QTEST_MAIN(tst_frmPhotos)
#include "tst_frmPhotos.moc"
