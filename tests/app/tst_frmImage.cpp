#include "core/SettingsFile.h"
#include "library/IntroImage.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/ThumbnailPicture.h"
#include "ui/viewers/frmImage.h"

#include <QAction>
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
    // Making the current file the intro image, on the files of one Image Set.
    void introImage_data()
    {
        // The files before -> after; * marks the current file, + one made after the refresh.
        QTest::addColumn<QString>("change");
        QTest::newRow("plain file") << "a.jpg *Image_040417_101010.bmp -> (Image_040417_101010).bmp a.jpg";
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
        // The list follows the renames at once, in display order, the intro image current; a file
        // made since waits for the next refill.
        QStringList listed = after.split(' ').replaceInStrings(QRegularExpression("^.*/"), QString());
        listed.removeAll(files.filter(QRegularExpression("^\\+")).value(0).mid(1));
        QCOMPARE(t.listed(), listed);
        const bool done = !before.contains('+') && !files.contains("a.bmp");
        QCOMPARE(t.currentLine(), done ? IntroName(current) : current);
        QCOMPARE(
            t.fakes.boxes.texts(),
            QStringList{done ? "Done.\n\nThis image will now be the first to be displayed for this image set."
                             : "There was a problem renaming image files.  The files may be set to READ "
                               "ONLY mode (i.e. they're on a CD ROM)."});
    }

    // Files that are not what their extension says, among good ones: the file list, the viewer
    // and the thumbnail viewer stay usable, and show the thumbnails' placeholder for them. A pipe
    // is not listed, and never opened when asked for.
    void badFilesAmongGoodOnes()
    {
        AppUnderTest t;
        const QString set = t.defaultSet();
        makeImage(set + "a good.jpg", QSize(40, 30));
        // A small real JPEG whose frame header claims 65000 x 65000 pixels.
        QByteArray huge = contents(makeImage(set + "b huge.jpg", QSize(16, 16)));
        if (const qsizetype frame = huge.indexOf("\xff\xc0"); frame >= 0)
            for (int at : {5, 7})
                qToBigEndian<quint16>(65000, huge.data() + frame + at);
        makeFile(set + "b huge.jpg", huge);
        const QByteArray jpeg = contents(makeImage(set + "c cut.jpg", QSize(200, 100)));
        makeFile(set + "c cut.jpg", jpeg.left(jpeg.size() / 2));
        makeFile(set + "d empty.jpg", QByteArray());
        makeFile(set + "e text.bmp", "just some text\n");
        makeImage(set + "f good.bmp", QSize(30, 40));
        QVERIFY(::mkfifo(QFile::encodeName(t.dir.filePath("pipe")).constData(), 0600) == 0);
        QVERIFY(QFile::link(t.dir.filePath("pipe"), set + "b pipe.jpg"));
        // Opening a pipe for reading would wait for ever: the alarm ends a test that hangs.
        ::alarm(30);
        QVERIFY(t.start());
        const QStringList lines{"a good.jpg",  "b huge.jpg", "c cut.jpg",
                                "d empty.jpg", "e text.bmp", "f good.bmp"};
        QCOMPARE(t.listed(), lines);
        frmImage& viewer = t.app.imageViewer();
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        // Next, Previous and a click on the picture step on past the bad files, wrapping at both
        // ends: the command's letter, then the row it leads to. The very large picture is decoded
        // away from the window, after a good one, so that the picture shown before cannot pass.
        for (const QString& step : QString("n1 n2 n3 n4 n5 n0 p5 p4 c5").split(' ')) {
            if (step.startsWith('c'))
                QTest::mouseClick(box, Qt::LeftButton);
            else
                viewer.findChild<QAction*>(step.startsWith('n') ? "mnuImgNext" : "mnuImgPrevious")->trigger();
            const int row = step.mid(1).toInt();
            QCOMPARE(t.selectedRows(), QList{row});
            QCOMPARE(box->toolTip(), lines.at(row));
            QTRY_COMPARE(box->picture().size(), row == 0   ? QSize(40, 30)
                                                : row == 5 ? QSize(30, 40)
                                                           : QSize(400, 300));
        }
        viewer.showFile(set + "b pipe.jpg");
        QCOMPARE(box->picture(), LoadThumbnail(set + "c cut.jpg", QSize(400, 300)));
        // A page much taller than the screen is decoded away from the window too, at the size it
        // is shown. (How large it is shown, the next picture's width and the width saved, and a
        // viewer the user cannot close alone: the end-to-end PNG test.)
        viewer.showFile(makeImage(t.dir.filePath("page.png"), QSize(800, 20000)));
        QTRY_VERIFY(box->picture().height() > 20 * box->picture().width());
        QVERIFY(box->picture().height() <= viewer.screen()->availableGeometry().height());

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
