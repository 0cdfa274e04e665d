#include "core/AppState.h"
#include "core/SettingsFile.h"
#include "support/TestLibrary.h"
#include "ui/viewers/ImageBox.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTemporaryDir>
#include <QTest>

// On the offscreen platform one pixel is 15 twips.
class tst_frmImage : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_state = AppState(); }

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
        m_state.imageViewerWidth = savedWidth;
        m_state.imageViewerTop = 150;
        m_state.imageViewerLeft = 300;
        frmImage viewer(m_state, QImage(1146, 833, QImage::Format_RGB32));
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
        QTemporaryDir dir;
        m_state.imageViewerWidth = 7500;
        frmImage viewer(m_state, QImage());
        viewer.show();
        viewer.showFile(TestLibrary::makeImage(dir.filePath("shot.bmp"), picture));
        viewer.FitViewerToImage();
        QTRY_COMPARE(viewer.centralWidget()->height(), boxHeight);
        QCOMPARE(viewer.centralWidget()->width(), 500);
        QCOMPARE(m_state.scaledWidth, viewer.frameGeometry().width() * 15);
        QCOMPARE(m_state.scaledHeight, viewer.frameGeometry().height() * 15);
    }

    void userResizeKeepsTheRatio()
    {
        QTemporaryDir dir;
        m_state.imageViewerWidth = 7500;
        frmImage viewer(m_state, QImage());
        viewer.show();
        viewer.showFile(TestLibrary::makeImage(dir.filePath("shot.jpg"), QSize(1024, 768)));
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
        QTemporaryDir dir;
        frmImage viewer(m_state, QImage(1146, 833, QImage::Format_RGB32));
        viewer.showFile(TestLibrary::makeImage(dir.filePath("good.bmp"), QSize(40, 30)));
        TestLibrary::makeFile(dir.filePath("broken.jpg"), "not a picture");
        viewer.showFile(dir.filePath("broken.jpg"));
        auto* box = viewer.findChild<ImageBox*>("imgImageBox");
        QCOMPARE(box->picture().size(), QSize(40, 30));
        QCOMPARE(box->toolTip(), "broken.jpg");
        viewer.showNoImages();
        QCOMPARE(box->picture().size(), QSize(1146, 833));
        QCOMPARE(box->toolTip(), "No images currently available for viewing.");
    }

    void savingWidensANarrowViewer()
    {
        m_state.imageViewerWidth = 6000;
        frmImage viewer(m_state, QImage());
        viewer.resize(100, viewer.height());
        const ViewerPlacement saved = viewer.placementForSaving();
        QCOMPARE(saved.width, 4995);
        QCOMPARE(viewer.width(), 333);
    }

    void userCannotCloseTheViewerAlone()
    {
        frmImage viewer(m_state, QImage());
        viewer.show();
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::sendEvent(&viewer, &close);
        QVERIFY(viewer.isVisible());
    }

private:
    AppState m_state;
};

QTEST_MAIN(tst_frmImage)
#include "tst_frmImage.moc"
