#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"
#include "ui/modes/frmLowResource.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class tst_frmLowResource : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<VistrelleApp> m_app;
    QPointer<frmVistrelle> m_oldMain;
    QPointer<frmImage> m_oldViewer;

    QString root() const { return m_dir->path() + "/Vistrelles/"; }
    QString settings() const { return m_dir->filePath("Vistrelle.ini"); }
    QString shown(const char* combo) const
    {
        return m_app->mainWindow()->findChild<QComboBox*>(combo)->currentText();
    }
    void click(const char* button) { m_app->mainWindow()->findChild<QPushButton*>(button)->click(); }

    // The main window at (200, 150) on the Image Set Trips/Alps, then Minimize.
    frmLowResource* enterOnAlps()
    {
        TestLibrary::makeFolder(root() + "Trips/Alps");
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), QStringList());
        m_app->start();
        auto* categories = m_app->mainWindow()->findChild<QComboBox*>("cboImageSetCategory");
        categories->setCurrentIndex(categories->findText("Trips"));
        emit categories->activated(categories->currentIndex());
        m_app->mainWindow()->move(200, 150);
        m_oldMain = m_app->mainWindow();
        m_oldViewer = &m_app->imageViewer();
        click("cmdLowResourceMode");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return m_app->lowResourceWindow();
    }

    void capture(frmLowResource* window)
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        m_fakes->clipboard.setImage(picture);
        window->tmrTimer_Timer();
    }

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

    void longTipIsCut()
    {
        QCOMPARE(
            LowResourceTip("Vistrelle (BMP) (LR mode)", "Holidays in the mountains, summer 2026, part two"),
            "Vistrelle (BMP) (LR mode) (Holidays in the mountains, summer 20");
    }

    void enterCaptureAndRestore_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::newRow("with a tray") << true;
        QTest::newRow("without a tray") << false;
    }

    void enterCaptureAndRestore()
    {
        QFETCH(bool, tray);
        m_fakes->tray.present = tray;
        frmLowResource* small = enterOnAlps();
        QVERIFY(small && small->isVisible());
        QVERIFY2(m_oldMain.isNull() && m_oldViewer.isNull(), "the main window and the viewer are deleted");
        QVERIFY(QFile::exists(settings()));
        QCOMPARE(small->pos(), QPoint(200, 150));
        QCOMPARE(small->windowTitle(), "Vistrelle (JPG) (LR mode)");
        QCOMPARE(small->findChild<QLineEdit*>("txtLowResCategory")->text() + "|" +
                     small->findChild<QLineEdit*>("txtLowResImageSetName")->text(),
                 "Trips|Alps");
        QCOMPARE(small->findChild<QLabel*>("Label1")->text(),
                 "Vistrelle is now operating in Low Resource mode.  Screenshots will be placed in the "
                 "Category and Image Set above.");
        QCOMPARE(small->findChild<QLabel*>("Label2")->text(),
                 "If you minimize this window, Vistrelle will utilize even less memory.");
        auto* icon = small->findChild<QSystemTrayIcon*>("trayIcon");
        QVERIFY(icon->isVisible());
        QCOMPARE(icon->toolTip(), "Vistrelle (JPG) (LR mode) (Alps)");

        // The first tick takes the window off the screen; without a tray it must stay
        // reachable, minimised on the taskbar.
        capture(small);
        QCOMPARE(small->isVisible(), !tray);
        QCOMPARE(small->isMinimized(), !tray);
        QVERIFY2(!QGuiApplication::quitOnLastWindowClosed(),
                 "closing a message box while the small window is hidden must not end the program");
        capture(small);
        QCOMPARE(QDir(root() + "Trips/Alps").entryList(QDir::Files),
                 (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QVERIFY(!m_fakes->clipboard.hasImage() && m_fakes->boxes.shown.isEmpty());

        if (tray) { // a left click on the icon shows the window, the next one hides it
            emit icon->activated(QSystemTrayIcon::Trigger);
            QVERIFY(small->isVisible() && !small->isMinimized());
            emit icon->activated(QSystemTrayIcon::Trigger);
            QVERIFY(!small->isVisible());
        }
        small->showNormal();
        small->showMinimized();
        QTest::qWait(20);
        QCOMPARE(small->isVisible(), !tray);

        small->showNormal();
        small->move(260, 90);
        QTest::keyClick(small, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_app->lowResourceWindow() && !m_app->state().lowResourceMode);
        QVERIFY(m_app->mainWindow()->isVisible() && m_app->imageViewer().isVisible());
        QCOMPARE(m_app->mainWindow()->pos(), QPoint(260, 90));
        QCOMPARE(shown("cboImageSetCategory") + "/" + shown("cboImageSetName"), "Trips/Alps");
        QCOMPARE(m_app->mainWindow()->findChild<QListWidget*>("lstComponents")->count(), 2);
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    }

    void closingEndsTheProgram_data()
    {
        QTest::addColumn<bool>("fromTrayMenu");
        QTest::newRow("Close on the tray menu") << true;
        QTest::newRow("close box") << false;
    }

    void closingEndsTheProgram()
    {
        QFETCH(bool, fromTrayMenu);
        QPointer<frmLowResource> small = enterOnAlps();
        QFile::remove(settings());
        QPointer<QSystemTrayIcon> icon = small->findChild<QSystemTrayIcon*>("trayIcon");
        const QList<QAction*> items = icon->contextMenu()->actions();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first()->text(), "&Close");
        fromTrayMenu ? items.first()->trigger() : void(small->close());
        QVERIFY(!icon->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(small.isNull() && icon.isNull());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QVERIFY2(!QFile::exists(settings()), "the settings are not written again");
    }

    void noImageSetKeepsTheMainWindow()
    {
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), QStringList());
        m_app->start();
        QDir(root() + "Default Category").removeRecursively();
        click("cmdRefresh");
        click("cmdLowResourceMode");
        QCOMPARE(m_fakes->boxes.texts(), QStringList{"Please select an image set first."});
        QCOMPARE(m_fakes->boxes.shown.first().look, BoxLook::Information);
        QVERIFY(!m_app->lowResourceWindow() && m_app->mainWindow()->isVisible());
        QVERIFY(!QFile::exists(settings()));
    }
};

QTEST_MAIN(tst_frmLowResource)
#include "tst_frmLowResource.moc"
