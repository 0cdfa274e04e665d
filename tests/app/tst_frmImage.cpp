#include "core/SettingsFile.h"
#include "library/DisplayOrder.h"
#include "library/IntroImage.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/ThumbnailPicture.h"
#include "ui/viewers/frmImage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QtEndian>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestLibrary;

// On the offscreen platform one pixel is 15 twips.
class tst_frmImage : public QObject
{
    Q_OBJECT

private slots:
    // The viewer keeps the saved width (IWIDTH, twips), the height following the picture. A page
    // taller than the screen is shown whole within the screen's free area, narrower; the next
    // picture gets the chosen width back, and the chosen width is what is saved.
    void sizeFollowsThePicture()
    {
        AppUnderTest t;
        t.state().settings.imageViewerWidth = 7500;
        t.state().settings.imageViewerTop = 3000;
        frmImage viewer(t.state(), QImage());
        viewer.show();
        const QRect free = viewer.screen()->availableGeometry();
        viewer.showFile(makeImage(t.dir.filePath("page.png"), QSize(800, 20000)));
        // A page this large is decoded away from the window, at the size it is shown.
        const ImageBox& box = *viewer.findChild<ImageBox*>("imgImageBox");
        QTRY_VERIFY(box.picture().height() > 20 * box.picture().width());
        QVERIFY(box.picture().height() <= free.height());
        QVERIFY(free.contains(viewer.frameGeometry()));
        const QSize shown = viewer.centralWidget()->size();
        QVERIFY2(shown.height() > free.height() / 2, "the page is shown as large as the screen allows");
        // The picture is decoded at the size shown, so its shape may be a pixel off the file's.
        QVERIFY(qAbs(shown.width() - qRound(shown.height() * 800.0 / 20000)) <= 1);

        viewer.showFile(makeImage(t.dir.filePath("shot.png"), QSize(1024, 768)));
        QCOMPARE(viewer.centralWidget()->size(), QSize(500, 375));
        viewer.showFile(t.dir.filePath("page.png"));
        QTRY_VERIFY(box.picture().height() > 20 * box.picture().width());
        QCOMPARE(viewer.placementForSaving().width, 7500);
        QCloseEvent close; // the user cannot close the viewer alone
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::sendEvent(&viewer, &close);
        QVERIFY(viewer.isVisible());
    }

    // Making the current file the intro image, on the files of one Image Set.
    void introImage_data()
    {
        // The files before -> after; * marks the current file, + one made after the refresh.
        QTest::addColumn<QString>("change");
        QTest::newRow("plain file") << "a.jpg *Image_040417_101010.bmp -> (Image_040417_101010).bmp a.jpg";
        QTest::newRow("former intro image gets its name back") << "(a).bmp *b.jpg -> (b).jpg a.bmp";
        QTest::newRow("sub-folder files stay there")
            << "b.jpg old/(c).jpg *old/d.jpg -> b.jpg old/(d).jpg old/c.jpg";
        QTest::newRow("plain name taken: no replace") << "(a).bmp a.bmp *b.jpg -> (a).bmp a.bmp b.jpg";
        QTest::newRow("longer extensions") << "(a).JPEG *b.Jpeg -> (b).Jpeg a.JPEG";
        QTest::newRow("intro name taken since: no replace") << "a.jpg *b.jpg +(b).jpg -> (b).jpg a.jpg b.jpg";
    }
    void introImage()
    {
        QFETCH(QString, change);
        const QString before = change.section(" -> ", 0, 0), after = change.section(" -> ", 1);
        AppUnderTest t;
        const QString set = t.defaultSet();
        const QStringList files = before.split(' ');
        for (const QString& file : files.filter(QRegularExpression("^[^+]")))
            makeImage(set + file.mid(file.startsWith('*')));
        QVERIFY(t.start());
        for (const QString& file : files.filter(QRegularExpression("^\\+")))
            makeImage(set + file.mid(1));
        const QString current = files.filter(QRegularExpression("^\\*")).first().mid(1).section('/', -1);
        t.setCurrentLine(t.listed().indexOf(current));

        t.app.imageViewer().findChild<QAction*>("mnuFirstImage")->trigger();

        QCOMPARE(filesIn(set), after.split(' '));
        // The list follows the renames at once, in display order, the intro image current.
        QStringList paths = t.list()->files().paths();
        for (const QString& path : std::as_const(paths))
            QVERIFY2(QFile::exists(path), qPrintable(path));
        const QStringList listed = paths;
        SortForDisplay(paths);
        QCOMPARE(listed, paths);
        const bool done = !before.contains('+') && !files.contains("a.bmp");
        QCOMPARE(t.currentLine(), done ? IntroName(current) : current);
        QCOMPARE(
            t.fakes.boxes.texts(),
            QStringList{done ? "Done.\n\nThis image will now be the first to be displayed for this image set."
                             : "There was a problem renaming image files.  The files may be set to READ "
                               "ONLY mode (i.e. they're on a CD ROM)."});
    }

    // Files that are not what their extension says, among good ones: the file list, the viewer
    // and the thumbnail viewer stay usable and show the good pictures.
    void badFileAmongGoodOnes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QTemporaryDir scratch;
        const QByteArray jpeg = contents(makeImage(scratch.filePath("cut.jpg"), QSize(200, 100)));
        // A small real JPEG whose frame header claims 65000 x 65000 pixels.
        QByteArray huge = contents(makeImage(scratch.filePath("huge.jpg"), QSize(16, 16)));
        if (const qsizetype frame = huge.indexOf("\xff\xc0"); frame >= 0)
            for (int at : {5, 7})
                qToBigEndian<quint16>(65000, huge.data() + frame + at);
        QTest::newRow("zero bytes") << "b empty.jpg" << QByteArray();
        QTest::newRow("truncated JPEG") << "b cut.jpg" << jpeg.left(jpeg.size() / 2);
        QTest::newRow("text named .bmp") << "b text.bmp" << QByteArray("just some text\n");
        QTest::newRow("JPEG claiming 65000 x 65000") << "b huge.jpg" << huge;
        QTest::newRow("link to a pipe") << "b pipe.jpg" << QByteArray("(pipe)");
    }
    void badFileAmongGoodOnes()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        AppUnderTest t;
        makeImage(t.defaultSet() + "a good.jpg", QSize(40, 30));
        makeImage(t.defaultSet() + "c good.bmp", QSize(30, 40));
        if (bytes == "(pipe)") {
            QVERIFY(::mkfifo(QFile::encodeName(t.dir.filePath("pipe")).constData(), 0600) == 0);
            QVERIFY(QFile::link(t.dir.filePath("pipe"), t.defaultSet() + name));
        } else {
            makeFile(t.defaultSet() + name, bytes);
        }
        // Opening a pipe for reading would wait for ever: the alarm ends a test that hangs.
        ::alarm(30);
        QVERIFY(t.start());
        frmImage& viewer = t.app.imageViewer();
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        if (bytes == "(pipe)") {
            // A pipe is no picture: not listed, and never opened when asked for.
            QCOMPARE(t.listed(), (QStringList{"a good.jpg", "c good.bmp"}));
            viewer.showFile(t.defaultSet() + name);
            QCOMPARE(box->picture().size(), QSize(400, 300));
            return;
        }
        const QStringList lines = t.listed();
        QCOMPARE(lines, (QStringList{"a good.jpg", name, "c good.bmp"}));

        t.setCurrentLine(1);
        // The thumbnails' placeholder, not the picture shown before (a picture claiming to be
        // very large is decoded away from the window).
        QTRY_COMPARE(box->picture(), LoadThumbnail(t.defaultSet() + name, QSize(400, 300)));
        // Next, previous and a click on the picture step on past the bad file, wrapping at both ends.
        const QList<QSize> sizes{QSize(40, 30), QSize(400, 300), QSize(30, 40)};
        const QList<std::pair<QString, int>> steps{{"mnuImgNext", 2},
                                                   {"mnuImgNext", 0},
                                                   {"imgImageBox", 1},
                                                   {"mnuImgPrevious", 0},
                                                   {"mnuImgPrevious", 2}};
        for (const auto& [command, to] : steps) {
            if (auto* action = viewer.findChild<QAction*>(command))
                action->trigger();
            else
                QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(t.selectedRows(), QList{to});
            QCOMPARE(box->toolTip(), lines.at(to));
            QTRY_COMPARE(box->picture().size(), sizes.at(to));
        }

        // The thumbnail viewer shows every listed file.
        QStringList shown;
        QVERIFY(t.inDialog("cmdPhotosBySet", [&](QWidget& photos) {
            for (ImageBox* cell : photos.findChildren<ImageBox*>("imgPhoto"))
                if (cell->isVisibleTo(&photos))
                    shown.append(cell->toolTip());
        }));
        shown.sort();
        ::alarm(0);
        QCOMPARE(shown, lines);
        QCOMPARE(t.fakes.boxes.texts(), QStringList());
    }
};

QTEST_MAIN(tst_frmImage)
#include "tst_frmImage.moc"
