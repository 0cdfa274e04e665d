#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"
#include "ui/modes/frmLowResource.h"
#include "ui/viewers/frmImage.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace TestLibrary;

class tst_frmLowResource : public QObject
{
    Q_OBJECT

private:
    QString root() const { return m_dir->path() + "/Vistrelles/"; }
    QString settingsPath() const { return m_dir->filePath("Vistrelle.ini"); }

    template <typename T> T* mainControl(const char* name) const
    {
        return m_app->mainWindow()->findChild<T*>(QLatin1String(name));
    }

    // Starts on the Image Set Trips/Alps, the main window at (200, 150).
    void startOnAlps()
    {
        makeFolder(root() + "Default Category/Default Image Set");
        makeFolder(root() + "Trips/Alps");
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), QStringList());
        QVERIFY(m_app->start());
        auto* categories = mainControl<QComboBox>("cboImageSetCategory");
        const int row = categories->findText("Trips");
        categories->setCurrentIndex(row);
        emit categories->activated(row);
        QCOMPARE(mainControl<QComboBox>("cboImageSetName")->currentText(), "Alps");
        m_app->mainWindow()->move(200, 150);
    }

    frmLowResource* enter()
    {
        mainControl<QPushButton>("cmdLowResourceMode")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return m_app->lowResourceWindow();
    }

    void capture(frmLowResource* window, Qt::GlobalColor colour)
    {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(colour);
        m_fakes->clipboard.setImage(picture);
        window->tmrTimer_Timer();
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

    void tip_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("imageSet");
        QTest::addColumn<QString>("tip");
        QTest::newRow("default set") << "Vistrelle (JPG) (LR mode)"
                                     << "Default Image Set"
                                     << "Vistrelle (JPG) (LR mode) (Default Image Set)";
        QTest::newRow("cut to 63") << "Vistrelle (BMP) (LR mode)"
                                   << "Holidays in the mountains, summer 2026, part two"
                                   << "Vistrelle (BMP) (LR mode) (Holidays in the mountains, summer 20";
    }

    void tip()
    {
        QFETCH(QString, caption);
        QFETCH(QString, imageSet);
        QFETCH(QString, tip);
        QCOMPARE(LowResourceTip(caption, imageSet), tip);
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
        startOnAlps();
        QPointer<frmVistrelle> main = m_app->mainWindow();
        QPointer<frmImage> viewer = &m_app->imageViewer();

        frmLowResource* small = enter();
        QVERIFY(small);
        QVERIFY2(main.isNull() && viewer.isNull(), "the main window and the viewer are deleted");
        QVERIFY(QFile::exists(settingsPath()));
        QVERIFY(m_app->state().lowResourceMode);
        QVERIFY(small->isVisible());
        QCOMPARE(small->pos(), QPoint(200, 150));
        QCOMPARE(small->windowTitle(), "Vistrelle (JPG) (LR mode)");
        QCOMPARE(small->findChild<QLineEdit*>("txtLowResCategory")->text(), "Trips");
        QCOMPARE(small->findChild<QLineEdit*>("txtLowResImageSetName")->text(), "Alps");
        QVERIFY(small->findChild<QLineEdit*>("txtLowResImageSetName")->isReadOnly());
        QCOMPARE(small->findChild<QLabel*>("Label1")->text(),
                 "Vistrelle is now operating in Low Resource mode.  Screenshots will be placed in the "
                 "Category and Image Set above.");
        QCOMPARE(small->findChild<QLabel*>("Label2")->text(),
                 "If you minimize this window, Vistrelle will utilize even less memory.");
        QCOMPARE(small->findChild<QPushButton*>("cmdReturn")->text(), "&Restore");
        auto* icon = small->findChild<QSystemTrayIcon*>("trayIcon");
        QVERIFY(icon->isVisible());
        QCOMPARE(icon->toolTip(), "Vistrelle (JPG) (LR mode) (Alps)");

        // The first tick takes the window off the screen; without a tray it must stay
        // reachable, minimised on the taskbar.
        capture(small, Qt::red);
        QCOMPARE(small->isVisible(), !tray);
        QCOMPARE(small->isMinimized(), !tray);
        capture(small, Qt::green);
        const QString alps = root() + "Trips/Alps/";
        QCOMPARE(QDir(alps).entryList(QDir::Files),
                 (QStringList{"Image_040417_155228.jpg", "Image_040417_155228_2.jpg"}));
        QVERIFY(!m_fakes->clipboard.hasImage());
        QCOMPARE(m_app->state().imageSetFiles.size(), 2);
        QVERIFY(m_fakes->boxes.shown.isEmpty());

        if (tray) {
            emit icon->activated(QSystemTrayIcon::Trigger);
            QVERIFY(small->isVisible() && !small->isMinimized());
            emit icon->activated(QSystemTrayIcon::Trigger);
            QVERIFY(!small->isVisible());
            emit icon->activated(QSystemTrayIcon::Trigger);
        } else {
            small->showNormal();
        }
        small->showMinimized();
        QTest::qWait(20);
        QCOMPARE(small->isVisible(), !tray);
        small->showNormal();

        small->move(260, 90);
        QTest::keyClick(small, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_app->lowResourceWindow());
        QVERIFY(!m_app->state().lowResourceMode);
        frmVistrelle* back = m_app->mainWindow();
        QVERIFY(back && back->isVisible() && m_app->imageViewer().isVisible());
        QCOMPARE(back->pos(), QPoint(260, 90));
        QCOMPARE(mainControl<QComboBox>("cboImageSetCategory")->currentText(), "Trips");
        QCOMPARE(mainControl<QComboBox>("cboImageSetName")->currentText(), "Alps");
        QCOMPARE(mainControl<QListWidget>("lstComponents")->count(), 2);
        QVERIFY(mainControl<QTimer>("tmrTimer")->isActive());
        for (const QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!window->objectName().contains("frmLowResource") &&
                    !window->objectName().contains("mnuSysTrayMenu"));
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
        startOnAlps();
        QPointer<frmLowResource> small = enter();
        QFile::remove(settingsPath());
        QPointer<QSystemTrayIcon> icon = small->findChild<QSystemTrayIcon*>("trayIcon");
        const QList<QAction*> items = icon->contextMenu()->actions();
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first()->text(), "&Close");
        if (fromTrayMenu)
            items.first()->trigger();
        else
            small->close();
        QVERIFY(!icon->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(small.isNull() && icon.isNull());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QVERIFY2(!QFile::exists(settingsPath()), "the settings are not written again");
    }

    void noImageSetKeepsTheMainWindow()
    {
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), QStringList());
        QVERIFY(m_app->start());
        QDir(root() + "Default Category").removeRecursively();
        mainControl<QPushButton>("cmdRefresh")->click();
        mainControl<QPushButton>("cmdLowResourceMode")->click();
        QCOMPARE(m_fakes->boxes.texts(), QStringList{"Please select an image set first."});
        QCOMPARE(m_fakes->boxes.shown.first().look, BoxLook::Information);
        QVERIFY(!m_app->lowResourceWindow());
        QVERIFY(m_app->mainWindow()->isVisible());
        QVERIFY(!QFile::exists(settingsPath()));
    }
};

QTEST_MAIN(tst_frmLowResource)
#include "tst_frmLowResource.moc"
