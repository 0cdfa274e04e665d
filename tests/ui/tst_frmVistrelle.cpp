#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace TestLibrary;

class tst_frmVistrelle : public QObject
{
    Q_OBJECT

private slots:
    void firstStartFormatAndClosing()
    {
        AppUnderTest t;
        t.fakes.clipboard.holdsImage = true;
        makeFile(t.dir.filePath("Vistrelle.ini"), "IMAGEFORMAT=BMP\nJPEG_QUALITY=75\nMTOP=300\nMLEFT=600\n");
        QVERIFY(t.start());
        QVERIFY(QDir(t.defaultSet()).exists());
        QCOMPARE(t.app.imageViewer().windowTitle(), "Vistrelle Image Viewer (resize horizontally)");
        QVERIFY(t.app.imageViewer().isVisible() && t.main().isVisible());
        QCOMPARE(t.main().pos(), QPoint(40, 20));
        QCOMPARE(t.control<QComboBox>("cboImageSetCategory")->currentText(), "Default Category");
        QCOMPARE(t.control<QComboBox>("cboImageSetName")->currentText(), "Default Image Set");
        QVERIFY(t.control<QTimer>("tmrTimer")->isActive());
        QVERIFY2(!t.fakes.clipboard.holdsImage, "a picture left on the clipboard is discarded");
        QVERIFY(t.fakes.boxes.shown.isEmpty());

        QStringList titles{t.main().windowTitle()};
        for (int format : {0, 1}) {
            t.main().findChildren<QRadioButton*>("optFormat").at(format)->click();
            titles << t.main().windowTitle() + " " + t.state().captureExtension;
        }
        QCOMPARE(titles, (QStringList{"Vistrelle (BMP)", "Vistrelle (JPG) .jpg", "Vistrelle (BMP) .bmp"}));

        t.click("cmdExplore");
        t.fakes.shell.succeeds = false;
        t.click("cmdExplore");
        QCOMPARE(t.fakes.shell.explored, (QStringList{t.root(), t.root()}));
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"Problem encountered trying to open Explorer.exe to Vistrelles directory."});
        QCOMPARE(t.fakes.boxes.shown.first().look, BoxLook::Exclamation);

        QCOMPARE(t.settingsAfterClose(),
                 "MTOP=300\r\nMLEFT=600\r\nITOP=0\r\nILEFT=0\r\nIWIDTH=4995\r\nFIRSTCAT=\r\n"
                 "FIRSTSET=\r\nJPEG_QUALITY=75\r\nIMAGEFORMAT=BMP\r\n");
        QVERIFY2(!t.app.hasImageViewer(), "the viewer closes with the main window");
    }

    void startupRefusals_data()
    {
        QTest::addColumn<bool>("secondInstance");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("second instance")
            << true << QStringList() << "Vistrelle is already running.  Check the System Tray.";
        QTest::newRow("one character")
            << false << QStringList{"x"}
            << "Invalid directory specified.  Check the target line for the shortcut.";
        QTest::newRow("missing folder")
            << false << QStringList{"/nonexistent/shots"}
            << "Problem encountered with specified directory (/nonexistent/shots).  "
               "Check the target line for the "
               "shortcut. Error encoutered: No such file or directory";
    }
    void startupRefusals()
    {
        QFETCH(bool, secondInstance);
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        AppUnderTest t(arguments);
        t.fakes.instance.heldElsewhere = secondInstance;
        QVERIFY(!t.start());
        QCOMPARE(t.fakes.boxes.texts(), QStringList{message});
        QVERIFY(!t.app.mainWindow());
        QCOMPARE(QDir(t.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void captionsAndTooltips()
    {
        AppUnderTest t;
        QVERIFY(t.start());
        const QList<QStringList> expected{
            {"cmdNewCategory", "New", "New category"},
            {"cmdDeleteCategory", "Del", "Delete category"},
            {"cmdPhotosByCategory", "View", "Thumbnail viewer for image sets in the current category"},
            {"cmdNewImageSet", "New", "New image set"},
            {"cmdDeleteImageSet", "Del", "Delete image set"},
            {"cmdPhotosBySet", "View", "Thumbnail viewer for images in current image set"},
            {"cmdFirstImageSet", "&Intro Set",
             "Make the current image set the first shown when Vistrelle starts"},
            {"cmdLowResourceMode", "&Minimize", "Low resource (memory) mode of operation"},
            {"cmdExplore", "&Explore", "Explore Vistrelles directory"},
            {"cmdRefresh", "&Refresh", "Refresh category, image set and image files"},
            {"cmdOptions", "&Options", "Miscellaneous options for Vistrelle"},
            {"cmdHelp", "&Help", ""},
            {"lblPackageCategory", "Category", ""},
            {"lblPackageName", "Image Set", ""},
            {"Label1", "Image Files", ""},
            {"Frame1", "Capture Format", ""},
            {"Frame2", "Image Info", ""},
            {"lblImageInfo", "", "Date modified & file size in kilobytes"},
            {"lstComponents", "",
             "Select file(s) & press Delete key to delete OR Spacebar to relocate.  Double click for more "
             "options."},
        };
        for (const QStringList& row : expected) {
            QWidget* widget = t.main().findChild<QWidget*>(row[0]);
            QVERIFY2(widget, qPrintable(row[0]));
            const QVariant text = widget->property(widget->inherits("QGroupBox") ? "title" : "text");
            QCOMPARE((QStringList{row[0], text.toString(), widget->toolTip()}), row);
        }
        QStringList formats;
        for (auto* format : t.main().findChildren<QRadioButton*>("optFormat"))
            formats << format->text() << format->toolTip();
        QCOMPARE(formats, (QStringList{"&JPG", "Output screenshots in Jpeg format", "&BMP",
                                       "Output screenshots in Bitmap format"}));

        const QStringList tabOrder{"cboImageSetCategory",
                                   "cboImageSetName",
                                   "lstComponents",
                                   "cmdNewCategory",
                                   "cmdDeleteCategory",
                                   "cmdPhotosByCategory",
                                   "cmdNewImageSet",
                                   "cmdDeleteImageSet",
                                   "cmdPhotosBySet",
                                   "optFormat",
                                   "optFormat",
                                   "cmdFirstImageSet",
                                   "cmdLowResourceMode",
                                   "cmdExplore",
                                   "cmdRefresh",
                                   "cmdOptions",
                                   "cmdHelp"};
        QStringList chain;
        QWidget* widget = t.control<QWidget>("cboImageSetCategory");
        for (int step = 0; step < 100 && chain.size() < tabOrder.size(); ++step) {
            if (tabOrder.contains(widget->objectName()))
                chain.append(widget->objectName());
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(chain, tabOrder);
    }

    void introSetAtStartup_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("shown"); // Category/Image Set
        QTest::addColumn<QByteArray>("savedIntro");
        QTest::newRow("preferred category") << QByteArray("FIRSTCAT=B\r\nFIRSTSET=Misc\r\n") << "B/Misc"
                                            << QByteArray("FIRSTCAT=B\r\nFIRSTSET=Misc\r\n");
        QTest::newRow("other category holds it")
            << QByteArray("FIRSTCAT=Gone\r\nFIRSTSET=Only\r\n") << "B/Only"
            << QByteArray("FIRSTCAT=Gone\r\nFIRSTSET=Only\r\n");
        QTest::newRow("set gone") << QByteArray("FIRSTCAT=B\r\nFIRSTSET=Nowhere\r\n") << "A/Misc"
                                  << QByteArray("FIRSTCAT=\r\nFIRSTSET=\r\n");
    }
    void introSetAtStartup()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, shown);
        QFETCH(QByteArray, savedIntro);
        AppUnderTest t;
        for (const char* folder : {"A/Misc", "B/Misc", "B/Only"})
            makeFolder(t.root() + folder);
        makeFile(t.dir.filePath("Vistrelle.ini"), settings);
        QVERIFY(t.start());
        QCOMPARE(t.control<QComboBox>("cboImageSetCategory")->currentText() + "/" +
                     t.control<QComboBox>("cboImageSetName")->currentText(),
                 shown);
        QVERIFY(t.settingsAfterClose().contains(savedIntro));
    }

    void categoryChoiceCascades()
    {
        AppUnderTest t;
        for (const char* folder :
             {"b/Misc", "b/Zeta", "A/Misc", "A/Alpha", "(x)/misc", "(x)/Other", ".hidden/Set"})
            makeFolder(t.root() + folder);
        makeImage(t.root() + "b/Misc/shot.jpg");
        QVERIFY(t.start());
        QCOMPARE(t.items("cboImageSetCategory"), (QStringList{"(x)", "A", "b"}));

        t.choose("cboImageSetCategory", "A");
        t.choose("cboImageSetName", "Misc");
        t.choose("cboImageSetCategory", "b");
        QCOMPARE(t.control<QComboBox>("cboImageSetName")->currentText(), "Misc");
        QCOMPARE(t.listed(), QStringList{"shot.jpg"});
        QCOMPARE(t.state().currentCategory, "b");
        t.choose("cboImageSetCategory", "(x)");
        QCOMPARE(t.state().currentImageSet, "misc");
        QVERIFY(t.listed().isEmpty());

        makeFolder(t.root() + "New Category/Set");
        QDir(t.root() + "(x)/Other").removeRecursively();
        t.click("cmdRefresh");
        QCOMPARE(t.items("cboImageSetCategory").size(), 4);
        QCOMPARE(t.control<QComboBox>("cboImageSetCategory")->currentText(), "(x)");
        QCOMPARE(t.items("cboImageSetName"), QStringList{"misc"});
    }

    void fileListOrderAndViewer_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QStringList() << QStringList();
        QTest::newRow("one") << QStringList{"Shot.JPG"} << QStringList{"Shot.JPG"};
        QTest::newRow("mixed") << QStringList{"b.jpg", "A.bmp", "c.gif", "d.png", "sub/e.jpg"}
                               << QStringList{"A.bmp", "b.jpg", "c.gif", "e.jpg"};
    }
    void fileListOrderAndViewer()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, lines);
        AppUnderTest t;
        for (const QString& file : files)
            makeImage(t.defaultSet() + file, QSize(64, 32));
        QVERIFY(t.start());
        QCOMPARE(t.listed(), lines);
        frmImage& viewer = t.app.imageViewer();
        auto* box = viewer.findChild<QWidget*>("imgImageBox");
        for (const char* step : {"mnuImgNext", "mnuImgPrevious", "mnuFirstImage"})
            QCOMPARE(viewer.findChild<QAction*>(step)->isEnabled(), lines.size() > 1);
        QCOMPARE(t.state().currentFileIndex, lines.isEmpty() ? 0 : 1);
        if (lines.isEmpty()) {
            QCOMPARE(box->toolTip(), "No images currently available for viewing.");
            QCOMPARE(t.control<QLabel>("lblImageInfo")->text(), QString());
            return;
        }
        QCOMPARE(box->toolTip(), lines.first());
        QVERIFY2(QFile::exists(t.state().fileListEntries.first()), "paths keep their case on disk");
        QVERIFY(QRegularExpression(R"(, \d\d:\d\d:\d\d [AP]M  \(\d+KB\)$)")
                    .match(t.control<QLabel>("lblImageInfo")->text())
                    .hasMatch());
        QVERIFY(qAbs(viewer.centralWidget()->height() * 2 - viewer.centralWidget()->width()) <= 1);
    }

    void selectionAfterRefresh()
    {
        AppUnderTest t;
        for (int n = 1; n <= 10; ++n)
            makeImage(t.defaultSet() + QString("f%1.jpg").arg(n, 2, 10, QChar('0')));
        QVERIFY(t.start());
        QListWidget* list = t.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(t.state().currentFileIndex, 3);
        QCOMPARE(t.app.imageViewer().findChild<QWidget*>("imgImageBox")->toolTip(), "f03.jpg");

        makeImage(t.defaultSet() + "f00.jpg");
        t.click("cmdRefresh");
        QCOMPARE(t.listed().mid(0, 4), (QStringList{"f00.jpg", "f01.jpg", "f02.jpg", "f03.jpg"}));
        QCOMPARE(list->currentItem()->text(), "f03.jpg");
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(t.state().currentFileIndex, 4);

        // A position asked for after files went away lands on what now stands there, or the last.
        for (const char* gone : {"f02.jpg", "f03.jpg", "f04.jpg"})
            QVERIFY(QFile::remove(t.defaultSet() + gone));
        for (const auto& [index, shown] : QList<std::pair<int, QString>>{{3, "f06.jpg"}, {9, "f10.jpg"}}) {
            list->clearSelection();
            t.state().restoreListIndex = index;
            t.main().RefreshImageSets();
            QCOMPARE(list->currentItem()->text(), shown);
            QCOMPARE(t.state().restoreListIndex, 0);
        }

        t.state().fileMax = 3; // told once, however often the set is listed
        t.main().RefreshImageSets();
        QCOMPARE(t.listed().size(), 3);
        t.main().RefreshImageSets();
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"This image set holds 8 images; only the first 3 are listed.  "
                             "Raise FILEMAX= in Vistrelle.ini to list them all."});
    }

    void timerTickFilesTheClipboardPictureIntoTheShownSet()
    {
        AppUnderTest t;
        QVERIFY(t.start());
        QImage picture(48, 32, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (int shot = 0; shot < 2; ++shot) {
            t.fakes.clipboard.setImage(picture);
            QTRY_VERIFY(!t.fakes.clipboard.hasImage());
        }
        QCOMPARE(t.listed(), (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QCOMPARE(t.state().imageSetFiles.size(), 2);
        QVERIFY(t.fakes.boxes.shown.isEmpty());

        QDir(t.root() + "Default Category").removeRecursively();
        t.click("cmdRefresh");
        QCOMPARE(t.control<QComboBox>("cboImageSetName")->currentText(), "");
        t.fakes.clipboard.setImage(picture);
        QTRY_COMPARE(t.fakes.boxes.texts(), QStringList{"Please select an image set first."});
        QVERIFY(!t.fakes.clipboard.hasImage());
    }
};

QTEST_MAIN(tst_frmVistrelle)
#include "tst_frmVistrelle.moc"
