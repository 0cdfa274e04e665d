#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace TestLibrary;

class tst_frmVistrelle : public QObject
{
    Q_OBJECT

private:
    bool start(const QStringList& arguments = {})
    {
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), arguments);
        return m_app->start();
    }

    void choose(const char* comboName, const QString& text)
    {
        auto* combo = control<QComboBox>(comboName);
        const int row = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY2(row >= 0, qPrintable(text));
        combo->setCurrentIndex(row);
        emit combo->activated(row);
    }

    QStringList listed() const
    {
        QStringList lines;
        auto* list = control<QListWidget>("lstComponents");
        for (int row = 0; row < list->count(); ++row)
            lines.append(list->item(row)->text());
        return lines;
    }

    QByteArray settingsAfterClose()
    {
        m_app->mainWindow()->close();
        QFile file(m_dir->filePath("Vistrelle.ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }

    QString root() const { return m_dir->path() + "/Vistrelles/"; }
    template <typename T> T* control(const char* name) const
    {
        return m_app->mainWindow()->findChild<T*>(QLatin1String(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<VistrelleApp> m_app;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
    }

    void cleanup()
    {
        m_app.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void firstStartCreatesTheDefaultLibrary()
    {
        m_fakes->clipboard.holdsImage = true;
        QVERIFY(start());
        QVERIFY(QDir(root() + "Default Category/Default Image Set").exists());
        QCOMPARE(m_app->mainWindow()->windowTitle(), "Vistrelle (JPG)");
        QCOMPARE(m_app->imageViewer().windowTitle(), "Vistrelle Image Viewer (resize horizontally)");
        QVERIFY(m_app->imageViewer().isVisible());
        QVERIFY(m_app->mainWindow()->isVisible());
        QCOMPARE(control<QComboBox>("cboImageSetCategory")->currentText(), "Default Category");
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), "Default Image Set");
        QCOMPARE(m_app->state().currentImageSet, "Default Image Set");
        QVERIFY(control<QTimer>("tmrTimer")->isActive());
        QVERIFY2(!m_fakes->clipboard.holdsImage, "a picture left on the clipboard is discarded");
        QVERIFY(m_fakes->boxes.shown.isEmpty());
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
        m_fakes->instance.heldElsewhere = secondInstance;
        QVERIFY(!start(arguments));
        QCOMPARE(m_fakes->boxes.texts(), QStringList{message});
        QVERIFY(!m_app->mainWindow());
        QVERIFY(!QFile::exists(m_dir->filePath("Vistrelle.ini")));
        QVERIFY(!QFile::exists(root()));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void captionsAndTooltips()
    {
        QVERIFY(start());
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
            QWidget* widget = m_app->mainWindow()->findChild<QWidget*>(row[0]);
            QVERIFY2(widget, qPrintable(row[0]));
            const QVariant text = widget->property(widget->inherits("QGroupBox") ? "title" : "text");
            QCOMPARE((QStringList{row[0], text.toString(), widget->toolTip()}), row);
        }
    }

    void tabOrder()
    {
        QVERIFY(start());
        const QStringList expected{"cboImageSetCategory",
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
        QWidget* widget = control<QComboBox>("cboImageSetCategory");
        while (chain.size() < expected.size()) {
            if (expected.contains(widget->objectName()))
                chain.append(widget->objectName());
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(chain, expected);
        const auto formats = m_app->mainWindow()->findChildren<QRadioButton*>("optFormat");
        QCOMPARE(formats.at(0)->text(), "&JPG");
        QCOMPARE(formats.at(0)->toolTip(), "Output screenshots in Jpeg format");
        QCOMPARE(formats.at(1)->text(), "&BMP");
        QCOMPARE(formats.at(1)->toolTip(), "Output screenshots in Bitmap format");
    }

    void formatOption()
    {
        QVERIFY(start());
        const auto formats = m_app->mainWindow()->findChildren<QRadioButton*>("optFormat");
        formats.at(1)->click();
        QCOMPARE(m_app->mainWindow()->windowTitle(), "Vistrelle (BMP)");
        QCOMPARE(m_app->state().captureExtension, ".bmp");
        formats.at(0)->click();
        QCOMPARE(m_app->mainWindow()->windowTitle(), "Vistrelle (JPG)");
        QCOMPARE(m_app->state().captureExtension, ".jpg");
    }

    void closingWritesTheSettings()
    {
        makeFile(m_dir->filePath("Vistrelle.ini"), "IMAGEFORMAT=BMP\nJPEG_QUALITY=75\nMTOP=300\nMLEFT=600\n");
        QVERIFY(start());
        QCOMPARE(m_app->mainWindow()->windowTitle(), "Vistrelle (BMP)");
        QCOMPARE(m_app->mainWindow()->pos(), QPoint(40, 20));
        QCOMPARE(settingsAfterClose(),
                 "MTOP=300\r\nMLEFT=600\r\nITOP=0\r\nILEFT=0\r\nIWIDTH=4995\r\nFIRSTCAT=\r\n"
                 "FIRSTSET=\r\nJPEG_QUALITY=75\r\nIMAGEFORMAT=BMP\r\n");
        QVERIFY2(!m_app->hasImageViewer(), "the viewer closes with the main window");
    }

    void introSetAtStartup_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("imageSet");
        QTest::addColumn<QByteArray>("savedIntro");
        QTest::newRow("preferred category") << QByteArray("FIRSTCAT=B\r\nFIRSTSET=Misc\r\n") << "B"
                                            << "Misc" << QByteArray("FIRSTCAT=B\r\nFIRSTSET=Misc\r\n");
        QTest::newRow("other category holds it")
            << QByteArray("FIRSTCAT=Gone\r\nFIRSTSET=Only\r\n") << "B"
            << "Only" << QByteArray("FIRSTCAT=Gone\r\nFIRSTSET=Only\r\n");
        QTest::newRow("set gone") << QByteArray("FIRSTCAT=B\r\nFIRSTSET=Nowhere\r\n") << "A"
                                  << "Misc" << QByteArray("FIRSTCAT=\r\nFIRSTSET=\r\n");
    }

    void introSetAtStartup()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, category);
        QFETCH(QString, imageSet);
        QFETCH(QByteArray, savedIntro);
        for (const char* folder : {"A/Misc", "B/Misc", "B/Only"})
            makeFolder(root() + folder);
        makeFile(m_dir->filePath("Vistrelle.ini"), settings);
        QVERIFY(start());
        QCOMPARE(control<QComboBox>("cboImageSetCategory")->currentText(), category);
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), imageSet);
        QVERIFY(settingsAfterClose().contains(savedIntro));
    }

    void categoryChoiceCascades()
    {
        for (const char* folder :
             {"b/Misc", "b/Zeta", "A/Misc", "A/Alpha", "(x)/misc", "(x)/Other", ".hidden/Set"})
            makeFolder(root() + folder);
        makeImage(root() + "b/Misc/shot.jpg");
        QVERIFY(start());
        auto* categories = control<QComboBox>("cboImageSetCategory");
        QCOMPARE(categories->count(), 3);
        QCOMPARE(categories->itemText(0), "(x)");
        QCOMPARE(categories->itemText(1), "A");
        QCOMPARE(categories->itemText(2), "b");

        choose("cboImageSetCategory", "A");
        choose("cboImageSetName", "Misc");
        choose("cboImageSetCategory", "b");
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), "Misc");
        QCOMPARE(listed(), QStringList{"shot.jpg"});
        QCOMPARE(m_app->state().currentCategory, "b");
        choose("cboImageSetCategory", "(x)");
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), "misc");
        QCOMPARE(m_app->state().currentImageSet, "misc");
        QVERIFY(listed().isEmpty());

        makeFolder(root() + "New Category/Set");
        QDir(root() + "(x)/Other").removeRecursively();
        QTest::mouseClick(control<QPushButton>("cmdRefresh"), Qt::LeftButton);
        QCOMPARE(categories->count(), 4);
        QCOMPARE(categories->currentText(), "(x)");
        QCOMPARE(control<QComboBox>("cboImageSetName")->count(), 1);
    }

    void fileListOrderAndViewer_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("stepping");
        QTest::newRow("empty") << QStringList() << QStringList() << false;
        QTest::newRow("one") << QStringList{"Shot.JPG"} << QStringList{"Shot.JPG"} << false;
        QTest::newRow("mixed") << QStringList{"b.jpg", "A.bmp", "c.gif", "d.png", "sub/e.jpg"}
                               << QStringList{"A.bmp", "b.jpg", "c.gif", "e.jpg"} << true;
    }

    void fileListOrderAndViewer()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, lines);
        QFETCH(bool, stepping);
        const QString set = root() + "Default Category/Default Image Set/";
        makeFolder(set);
        for (const QString& file : files)
            makeImage(set + file, QSize(64, 32));
        QVERIFY(start());
        QCOMPARE(listed(), lines);
        frmImage& viewer = m_app->imageViewer();
        auto* box = viewer.findChild<QWidget*>("imgImageBox");
        QCOMPARE(viewer.findChild<QAction*>("mnuImgNext")->isEnabled(), stepping);
        QCOMPARE(viewer.findChild<QAction*>("mnuImgPrevious")->isEnabled(), stepping);
        QCOMPARE(viewer.findChild<QAction*>("mnuFirstImage")->isEnabled(), stepping);
        if (lines.isEmpty()) {
            QCOMPARE(m_app->state().currentFileIndex, 0);
            QCOMPARE(box->toolTip(), "No images currently available for viewing.");
            QCOMPARE(control<QLabel>("lblImageInfo")->text(), QString());
            return;
        }
        QCOMPARE(m_app->state().currentFileIndex, 1);
        QCOMPARE(box->toolTip(), lines.first());
        QVERIFY2(QFile::exists(m_app->state().fileListEntries.first()), "paths keep their case on disk");
        QVERIFY(QRegularExpression(R"(, \d\d:\d\d:\d\d [AP]M  \(\d+KB\)$)")
                    .match(control<QLabel>("lblImageInfo")->text())
                    .hasMatch());
        QVERIFY(qAbs(viewer.centralWidget()->height() * 2 - viewer.centralWidget()->width()) <= 1);
    }

    void selectionSurvivesRefresh()
    {
        const QString set = root() + "Default Category/Default Image Set/";
        for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
            makeImage(set + name);
        QVERIFY(start());
        auto* list = control<QListWidget>("lstComponents");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(m_app->state().currentFileIndex, 3);
        QCOMPARE(m_app->imageViewer().findChild<QWidget*>("imgImageBox")->toolTip(), "c.jpg");

        makeImage(set + "0.jpg");
        QTest::mouseClick(control<QPushButton>("cmdRefresh"), Qt::LeftButton);
        QCOMPARE(listed(), (QStringList{"0.jpg", "a.jpg", "b.jpg", "c.jpg"}));
        QCOMPARE(list->currentItem()->text(), "c.jpg");
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(m_app->state().currentFileIndex, 4);
    }

    void requestedPositionAfterFilesWentAway()
    {
        const QString set = root() + "Default Category/Default Image Set/";
        for (int n = 1; n <= 10; ++n)
            makeImage(set + QString("f%1.jpg").arg(n, 2, 10, QChar('0')));
        QVERIFY(start());
        auto* list = control<QListWidget>("lstComponents");
        list->clearSelection();
        for (const char* gone : {"f02.jpg", "f03.jpg", "f04.jpg"})
            QVERIFY(QFile::remove(set + gone));
        m_app->state().restoreListIndex = 3;
        m_app->mainWindow()->RefreshImageSets();
        QCOMPARE(list->currentItem()->text(), "f07.jpg");
        QCOMPARE(m_app->state().restoreListIndex, 0);

        list->clearSelection();
        m_app->state().restoreListIndex = 7;
        m_app->mainWindow()->RefreshImageSets();
        QCOMPARE(list->currentItem()->text(), "f10.jpg");
    }

    void tooManyImagesAreAnnouncedOnce()
    {
        const QString set = root() + "Default Category/Default Image Set/";
        for (const char* name : {"a.jpg", "b.jpg", "c.gif", "d.bmp", "e.bmp"})
            makeImage(set + name);
        QVERIFY(start());
        m_app->state().fileMax = 3;
        m_app->mainWindow()->RefreshImageSets();
        QCOMPARE(listed(), (QStringList{"a.jpg", "b.jpg", "c.gif"}));
        m_app->mainWindow()->RefreshImageSets();
        QCOMPARE(m_fakes->boxes.texts(),
                 QStringList{"This image set holds 5 images; only the first 3 are listed.  "
                             "Raise FILEMAX= in Vistrelle.ini to list them all."});
    }

    void explore()
    {
        QVERIFY(start());
        QTest::mouseClick(control<QPushButton>("cmdExplore"), Qt::LeftButton);
        QCOMPARE(m_fakes->shell.explored, QStringList{root()});
        QVERIFY(m_fakes->boxes.shown.isEmpty());
        m_fakes->shell.succeeds = false;
        QTest::mouseClick(control<QPushButton>("cmdExplore"), Qt::LeftButton);
        QCOMPARE(m_fakes->boxes.texts(),
                 QStringList{"Problem encountered trying to open Explorer.exe to Vistrelles directory."});
        QCOMPARE(m_fakes->boxes.shown.first().look, BoxLook::Exclamation);
    }

    void timerTickFilesTheClipboardPictureIntoTheShownSet()
    {
        QVERIFY(start());
        QImage picture(48, 32, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        m_fakes->clipboard.setImage(picture);
        QTRY_VERIFY(!m_fakes->clipboard.hasImage());
        m_fakes->clipboard.setImage(picture);
        QTRY_VERIFY(!m_fakes->clipboard.hasImage());
        QCOMPARE(listed(), (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QCOMPARE(m_app->state().imageSetFiles.size(), 2);
        QVERIFY(m_fakes->boxes.shown.isEmpty());

        QDir(root() + "Default Category").removeRecursively();
        control<QPushButton>("cmdRefresh")->click();
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), "");
        m_fakes->clipboard.setImage(picture);
        QTRY_COMPARE(m_fakes->boxes.texts(), QStringList{"Please select an image set first."});
        QVERIFY(!m_fakes->clipboard.hasImage());
    }
};

QTEST_MAIN(tst_frmVistrelle)
#include "tst_frmVistrelle.moc"
