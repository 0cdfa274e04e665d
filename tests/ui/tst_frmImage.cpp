#include "core/SettingsFile.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmImage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QListWidget>
#include <QTest>

using namespace TestLibrary;

// On the offscreen platform one pixel is 15 twips.
class tst_frmImage : public QObject
{
    Q_OBJECT

private slots:
    void placement_data()
    {
        QTest::addColumn<int>("savedWidth");
        QTest::addColumn<int>("pixels");
        QTest::newRow("none saved") << 0 << 333;
        QTest::newRow("too narrow") << 1999 << 333;
        QTest::newRow("narrowest kept") << 2000 << 133;
        QTest::newRow("wide") << 9000 << 600;
    }
    void placement()
    {
        QFETCH(int, savedWidth);
        QFETCH(int, pixels);
        AppUnderTest t;
        t.state().imageViewerWidth = savedWidth;
        t.state().imageViewerTop = 150;
        t.state().imageViewerLeft = 300;
        frmImage viewer(t.app);
        QCOMPARE(viewer.width(), pixels);
        QCOMPARE(viewer.pos(), QPoint(20, 10));
        // Saved narrower than a usable viewer, it comes back at the default width.
        viewer.resize(100, viewer.height());
        QCOMPARE(viewer.placementForSaving().width, 4995);
        QCOMPARE(viewer.width(), 333);
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
        AppUnderTest t;
        t.state().imageViewerWidth = 7500;
        frmImage viewer(t.app);
        viewer.show();
        viewer.showFile(makeImage(t.dir.filePath("shot.bmp"), picture));
        viewer.FitViewerToImage();
        QTRY_COMPARE(viewer.centralWidget()->height(), boxHeight);
        QCOMPARE(viewer.centralWidget()->width(), 500);
        QCOMPARE(t.state().scaledWidth, viewer.frameGeometry().width() * 15);
        QCOMPARE(t.state().scaledHeight, viewer.frameGeometry().height() * 15);
        if (boxHeight != 375)
            return;
        // The user's resizing keeps the ratio, the width leading.
        const int menu = viewer.height() - 375;
        viewer.resize(500, 900);
        QTRY_COMPARE(viewer.height(), 375 + menu);
        viewer.resize(600, 200);
        QTRY_COMPARE(viewer.centralWidget()->height(), 450);
        QCOMPARE(viewer.width(), 600);
    }

    void undecodableFileAndClosing()
    {
        AppUnderTest t;
        frmImage viewer(t.app);
        viewer.show();
        viewer.showFile(makeImage(t.dir.filePath("good.bmp"), QSize(40, 30)));
        makeFile(t.dir.filePath("broken.jpg"), "not a picture");
        viewer.showFile(t.dir.filePath("broken.jpg"));
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        QCOMPARE(box->picture().size(), QSize(40, 30));
        QCOMPARE(box->toolTip(), "broken.jpg");

        QCloseEvent close; // the user cannot close the viewer alone
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::sendEvent(&viewer, &close);
        QVERIFY(viewer.isVisible());
    }

    // Next, previous and a click on the picture step through the list, wrapping at both ends.
    void stepping()
    {
        AppUnderTest t;
        for (int n = 1; n <= 3; ++n)
            makeImage(t.defaultSet() + QString("shot_%1.jpg").arg(n), QSize(10 * n, 10));
        QVERIFY(t.start());
        t.list()->setCurrentRow(2);
        frmImage& viewer = t.app.imageViewer();
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        const QList<std::pair<QString, int>> steps{
            {"mnuImgNext", 1}, {"imgImageBox", 2}, {"mnuImgPrevious", 1}, {"mnuImgPrevious", 3}, {"", 1}};
        for (const auto& [command, to] : steps) {
            if (command.isEmpty()) { // a click on a lone file keeps it
                QVERIFY(QFile::remove(t.defaultSet() + "shot_2.jpg") &&
                        QFile::remove(t.defaultSet() + "shot_3.jpg"));
                t.click("cmdRefresh");
            }
            if (command.startsWith("mnu"))
                viewer.findChild<QAction*>(command)->trigger();
            else
                QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(t.state().currentFileIndex, to);
            QCOMPARE(t.list()->selectedItems(), QList{t.list()->item(to - 1)});
            QCOMPARE(box->toolTip(), QString("shot_%1.jpg").arg(to));
            QCOMPARE(box->picture().width(), 10 * to);
        }
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
        AppUnderTest t;
        const QString set = t.defaultSet();
        for (const QString& file : files)
            makeImage(set + file);
        QVERIFY(t.start());
        if (!appearsLater.isEmpty())
            makeImage(set + appearsLater);
        t.list()->setCurrentItem(t.list()->findItems(current, Qt::MatchExactly).first());

        t.app.imageViewer().findChild<QAction*>("mnuFirstImage")->trigger();

        QCOMPARE(filesIn(set), after);
        for (const QString& entry : t.state().fileListEntries)
            QVERIFY2(QFile::exists(entry), qPrintable(entry));
        const bool done = appearsLater.isEmpty() && !files.contains("a.bmp");
        QCOMPARE(
            t.fakes.boxes.texts(),
            QStringList{done ? "Done.\n\nThis image will now be the first to be displayed for this image set."
                             : "There was a problem renaming image files.  The files may be set to READ "
                               "ONLY mode (i.e. they're on a CD ROM)."});
        QCOMPARE(t.fakes.boxes.shown.first().look, done ? BoxLook::NoIcon : BoxLook::Exclamation);
    }
};

QTEST_MAIN(tst_frmImage)
#include "tst_frmImage.moc"
