#include "core/AppState.h"
#include "core/SettingsFile.h"
#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmImage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDirIterator>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace TestLibrary;

// On the offscreen platform one pixel is 15 twips.
class tst_frmImage : public QObject
{
    Q_OBJECT

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

    void loadPlacement_data()
    {
        QTest::addColumn<int>("savedWidth");
        QTest::addColumn<int>("pixels");
        QTest::newRow("none saved") << 0 << 333;
        QTest::newRow("too narrow") << 1999 << 333;
        QTest::newRow("narrowest kept") << 2000 << 133;
        QTest::newRow("wide") << 9000 << 600;
    }
    void loadPlacement()
    {
        QFETCH(int, savedWidth);
        QFETCH(int, pixels);
        state().imageViewerWidth = savedWidth;
        state().imageViewerTop = 150;
        state().imageViewerLeft = 300;
        frmImage viewer(*m_app);
        QCOMPARE(viewer.width(), pixels);
        QCOMPARE(viewer.pos(), QPoint(20, 10));
    }

    void heightFollowsThePicture_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("boxHeight");
        QTest::newRow("landscape") << QSize(1024, 768) << 375;
        QTest::newRow("portrait taller than the screen") << QSize(600, 1200) << 1000;
        QTest::newRow("one line still shows") << QSize(4000, 1) << 1;
    }
    void heightFollowsThePicture()
    {
        QFETCH(QSize, picture);
        QFETCH(int, boxHeight);
        state().imageViewerWidth = 7500;
        frmImage viewer(*m_app);
        viewer.show();
        viewer.showFile(makeImage(m_dir->filePath("shot.bmp"), picture));
        viewer.FitViewerToImage();
        QTRY_COMPARE(viewer.centralWidget()->height(), boxHeight);
        QCOMPARE(viewer.centralWidget()->width(), 500);
        QCOMPARE(state().scaledWidth, viewer.frameGeometry().width() * 15);
        QCOMPARE(state().scaledHeight, viewer.frameGeometry().height() * 15);
    }

    void userResizeKeepsTheRatio()
    {
        state().imageViewerWidth = 7500;
        frmImage viewer(*m_app);
        viewer.show();
        viewer.showFile(makeImage(m_dir->filePath("shot.jpg"), QSize(1024, 768)));
        viewer.FitViewerToImage();
        const int menu = viewer.height() - 375;
        viewer.resize(500, 900);
        QTRY_COMPARE(viewer.height(), 375 + menu);
        viewer.resize(600, 200);
        QTRY_COMPARE(viewer.centralWidget()->height(), 450);
        QCOMPARE(viewer.width(), 600);
    }

    void undecodableFileKeepsThePicture()
    {
        frmImage viewer(*m_app);
        viewer.showFile(makeImage(m_dir->filePath("good.bmp"), QSize(40, 30)));
        makeFile(m_dir->filePath("broken.jpg"), "not a picture");
        viewer.showFile(m_dir->filePath("broken.jpg"));
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        QCOMPARE(box->picture().size(), QSize(40, 30));
        QCOMPARE(box->toolTip(), "broken.jpg");
        viewer.showNoImages();
        QCOMPARE(box->picture().size(), QSize(1146, 833));
        QCOMPARE(box->toolTip(), "No images currently available for viewing.");
    }

    void savingWidensANarrowViewer()
    {
        state().imageViewerWidth = 6000;
        frmImage viewer(*m_app);
        viewer.resize(100, viewer.height());
        const ViewerPlacement saved = viewer.placementForSaving();
        QCOMPARE(saved.width, 4995);
        QCOMPARE(viewer.width(), 333);
    }

    void userCannotCloseTheViewerAlone()
    {
        frmImage viewer(*m_app);
        viewer.show();
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::sendEvent(&viewer, &close);
        QVERIFY(viewer.isVisible());
    }

    // Next, previous and a click on the picture, on a started library.
    void stepping_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("to");
        QTest::newRow("next from the last wraps") << 3 << 3 << "mnuImgNext" << 1;
        QTest::newRow("click on the picture") << 3 << 2 << "imgImageBox" << 3;
        QTest::newRow("previous") << 3 << 3 << "mnuImgPrevious" << 2;
        QTest::newRow("previous from the first wraps") << 3 << 1 << "mnuImgPrevious" << 3;
        QTest::newRow("click on a lone file keeps it") << 1 << 1 << "imgImageBox" << 1;
    }
    void stepping()
    {
        QFETCH(int, files);
        QFETCH(int, from);
        QFETCH(QString, command);
        QFETCH(int, to);
        for (int n = 1; n <= files; ++n)
            makeImage(imageSet() + QString("shot_%1.jpg").arg(n), QSize(10 * n, 10));
        QVERIFY(m_app->start());
        list()->setCurrentRow(from - 1);
        frmImage& viewer = m_app->imageViewer();
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        if (command == "imgImageBox")
            QTest::mouseClick(box, Qt::LeftButton);
        else
            viewer.findChild<QAction*>(command)->trigger();
        QCOMPARE(state().currentFileIndex, to);
        QCOMPARE(list()->selectedItems(), QList{list()->item(to - 1)});
        QCOMPARE(box->toolTip(), QString("shot_%1.jpg").arg(to));
        QCOMPARE(box->picture().width(), 10 * to);
    }

    // Making the current file the intro image, on the files of one Image Set.
    void introImage_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("appearsLater");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("plain file") << QStringList{"a.jpg", "Image_040417_101010.bmp"}
                                    << "Image_040417_101010.bmp" << QString()
                                    << QStringList{"(Image_040417_101010).bmp", "a.jpg"};
        QTest::newRow("former intro image gets its name back")
            << QStringList{"(a).bmp", "b.jpg"} << "b.jpg" << QString() << QStringList{"(b).jpg", "a.bmp"};
        QTest::newRow("intro image chosen again")
            << QStringList{"(a).bmp", "b.jpg"} << "(a).bmp" << QString() << QStringList{"(a).bmp", "b.jpg"};
        QTest::newRow("sub-folder files stay in their folder")
            << QStringList{"b.jpg", "old/(c).jpg", "old/d.jpg"} << "d.jpg" << QString()
            << QStringList{"b.jpg", "old/(d).jpg", "old/c.jpg"};
        QTest::newRow("empty parentheses are no intro name")
            << QStringList{"().jpg", "b.jpg"} << "b.jpg" << QString() << QStringList{"().jpg", "(b).jpg"};
        QTest::newRow("plain name taken: nothing replaced")
            << QStringList{"(a).bmp", "a.bmp", "b.jpg"} << "b.jpg" << QString()
            << QStringList{"(a).bmp", "a.bmp", "b.jpg"};
        QTest::newRow("intro name taken since the refresh: nothing replaced")
            << QStringList{"a.jpg", "b.jpg"} << "b.jpg"
            << "(b).jpg" << QStringList{"(b).jpg", "a.jpg", "b.jpg"};
    }
    void introImage()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, current);
        QFETCH(QString, appearsLater);
        QFETCH(QStringList, after);
        for (const QString& file : files)
            makeImage(imageSet() + file);
        QVERIFY(m_app->start());
        if (!appearsLater.isEmpty())
            makeImage(imageSet() + appearsLater);
        list()->setCurrentItem(list()->findItems(current, Qt::MatchExactly).first());

        m_app->imageViewer().findChild<QAction*>("mnuFirstImage")->trigger();

        QStringList onDisk;
        QDirIterator it(imageSet(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            onDisk.append(it.next().mid(imageSet().size()));
        onDisk.sort();
        QCOMPARE(onDisk, after);
        for (const QString& entry : state().fileListEntries)
            QVERIFY2(QFile::exists(entry), qPrintable(entry));
        const bool done = appearsLater.isEmpty() && !files.contains("a.bmp");
        QCOMPARE(
            m_fakes->boxes.texts(),
            QStringList{done ? "Done.\n\nThis image will now be the first to be displayed for this image set."
                             : "There was a problem renaming image files.  The files may be set to READ "
                               "ONLY mode (i.e. they're on a CD ROM)."});
        QCOMPARE(m_fakes->boxes.shown.first().look, done ? BoxLook::NoIcon : BoxLook::Exclamation);
    }

private:
    AppState& state() { return m_app->state(); }
    QString imageSet() const { return m_dir->path() + "/Vistrelles/Default Category/Default Image Set/"; }
    QListWidget* list() const { return m_app->mainWindow()->findChild<QListWidget*>("lstComponents"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<VistrelleApp> m_app;
};

QTEST_MAIN(tst_frmImage)
#include "tst_frmImage.moc"
