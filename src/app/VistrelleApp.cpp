#include "VistrelleApp.h"

#include "core/SettingsFile.h"
#include "core/Startup.h"
#include "library/IndexDatabase.h"
#include "platform/Clipboard.h"
#include "platform/HotkeyNames.h"
#include "platform/InstanceLock.h"
#include "platform/KeyState.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "ui/Screens.h"
#include "ui/Twips.h"
#include "ui/main/NoImagesPicture.h"
#include "ui/main/frmVistrelle.h"
#include "ui/modes/frmLowResource.h"
#include "ui/viewers/frmImage.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>

VistrelleApp::VistrelleApp(Services& services, LibraryDialogs& dialogs, CaptureWorker& worker,
                           QString programDir, const QStringList& arguments)
    : m_services(services)
    , m_dialogs(dialogs)
    , m_engine(m_state, services, worker)
    , m_heartbeat(m_state, services, m_engine)
    , m_notices(services.boxes)
    , m_notifier(m_state, m_engine, services.notifications)
    , m_reading(services.reader)
    , m_pictures(services, m_engine, m_reading)
    , m_programDir(std::move(programDir))
    , m_argumentText(arguments.join(QLatin1Char(' ')))
    , m_noImages(NoImagesPicture())
{
    if (!m_programDir.endsWith(QLatin1Char('/')))
        m_programDir += QLatin1Char('/');
    // Told outside the tick and the engine, so that no message stops capturing.
    QObject::connect(&m_engine, &CaptureEngine::told, &m_notices, &CaptureNotices::tell,
                     Qt::QueuedConnection);
    // The desktop's question comes once the user knows whose it is, so that no message of
    // this program's stands on the screen it gives.
    QObject::connect(
        &m_engine.window(), &WindowCapture::asking, &m_engine,
        [this](const QString& text) {
            m_services.boxes.show(text, BoxLook::Information);
            m_engine.window().carryOn();
        },
        Qt::QueuedConnection);
    QObject::connect(
        &m_engine, &CaptureEngine::filed, &m_reading,
        [this](const QString& path, const PictureSource& source) { m_reading.record(path, source); });
    QObject::connect(&m_services.clipboard, &Clipboard::changed, &m_reading, [this] { m_reading.holdOff(); });
    QObject::connect(&m_engine, &CaptureEngine::pausedChanged, &m_reading, [this] { pauseReading(); });
    QObject::connect(&m_reading, &ReaderWorker::problem, &m_reading,
                     [this](const QString& text) { m_services.boxes.show(text, BoxLook::Exclamation); });
    QObject::connect(&m_notifier, &CaptureNotifier::showRequested, &m_notifier,
                     [this](const QString& path) { showPicture(path); });
}

VistrelleApp::~VistrelleApp()
{
    delete m_lowResource.data();
    delete m_viewer.data();
    delete m_main.data();
}

bool VistrelleApp::start(bool lowResource)
{
    if (!m_services.instance.acquire())
        return fail(tr("Vistrelle is already running.  Check the System Tray."));
    createMainWindow();
    if (!loadMainWindow(std::nullopt, !lowResource)) {
        delete m_viewer.data();
        delete m_main.data();
        return false;
    }
    pauseReading();
    m_reading.setUnreadPrograms(m_state.settings.unreadPrograms);
    m_reading.start(m_state.libraryRoot, IndexFileFor(m_state.libraryRoot, IndexFolder()),
                    m_state.settings.findLanguages.split(QLatin1Char('+')));
    // After the start's own messages, outside the tick.
    QMetaObject::invokeMethod(
        &m_notices, [this] { tellTakenHotkeys(); }, Qt::QueuedConnection);
    if (!lowResource)
        return true;
    if (m_state.currentImageSet.isEmpty()) {
        // Nowhere to capture into: the user is to choose a set first.
        imageViewer().show();
        m_main->show();
    } else {
        enterLowResourceMode();
    }
    return true;
}

void VistrelleApp::createMainWindow()
{
    m_main = new frmVistrelle(m_state, m_services, m_dialogs, m_engine, m_reading, m_pictures);
    QObject::connect(&m_notices, &CaptureNotices::noted, m_main, &frmVistrelle::showCaptureNote);
    QObject::connect(m_main, &frmVistrelle::viewerShows, m_main, [this](const QString& path) {
        frmImage& viewer = imageViewer();
        viewer.showFile(path);
        viewer.FitViewerToImage();
    });
    QObject::connect(m_main, &frmVistrelle::viewerEmptied, m_main, [this] { imageViewer().showNoImages(); });
    QObject::connect(
        m_main, &frmVistrelle::viewerOutlined, m_main,
        [this](const QString& path, const QList<QRect>& boxes) { imageViewer().outline(path, boxes); });
    QObject::connect(m_main, &frmVistrelle::viewerStepsEnabled, m_main,
                     [this](bool enabled) { imageViewer().setStepCommandsEnabled(enabled); });
    QObject::connect(m_main, &frmVistrelle::viewerRefitRequested, m_main,
                     [this] { imageViewer().FitViewerToImage(); });
    QObject::connect(m_main, &frmVistrelle::lowResourceModeRequested, m_main,
                     [this] { enterLowResourceMode(); });
    QObject::connect(m_main, &frmVistrelle::endProgramRequested, m_main, [this] { EndProgram(); });
    QObject::connect(m_main, &frmVistrelle::unloading, m_main, [this] { mainWindowUnloading(); });
    // Saved at each change, so that a session lost with its display loses the window places at most.
    QObject::connect(m_main, &frmVistrelle::settingsChanged, m_main, [this] {
        WriteSettings();
        m_reading.setLanguages(m_state.settings.findLanguages.split(QLatin1Char('+')));
        m_reading.setUnreadPrograms(m_state.settings.unreadPrograms);
        pauseReading();
    });
    QObject::connect(m_main, &frmVistrelle::wordsForgotten, m_main, [this] {
        pauseReading();
        m_reading.forget();
    });
    QObject::connect(m_main, &frmVistrelle::introSetChosen, m_main, [this] {
        if (WriteSettings())
            m_services.boxes.show(
                tr("Done.\n\n%1 will be the first image set you see when you start Vistrelle")
                    .arg(m_state.settings.introImageSet),
                BoxLook::Information);
    });
}

bool VistrelleApp::loadMainWindow(std::optional<QPoint> placeAt, bool show)
{
    m_state.lowResourceMode = false;
    if (m_state.currentCategory.isEmpty() || m_state.currentImageSet.isEmpty()) {
        if (!StartUp())
            return false;
    } else {
        // Back from low-resource mode: the same Image Set as before, if it still exists.
        const QString category = m_state.currentCategory;
        const QString imageSet = m_state.currentImageSet;
        ReadSettings();
        fillWindows(category, imageSet);
    }
    if (placeAt)
        m_main->move(*placeAt);
    if (show) {
        imageViewer().show();
        m_main->show();
    }
    // Beating on from here, through low-resource mode and back, until the program ends.
    m_heartbeat.start();
    return true;
}

bool VistrelleApp::StartUp()
{
    // A picture already on the clipboard when Vistrelle starts is not a new screenshot.
    m_engine.discardPresent();
    m_state.programDir = m_programDir;
    const DataFolders folders =
        DataFoldersFor(m_programDir, {QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                                      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
    m_state.dataDir = folders.settings;

    const std::optional<QString> root = LibraryRootFor(folders.libraryParent, m_argumentText);
    if (!root)
        return fail(tr("Invalid directory specified.  Check the target line for the shortcut."));
    m_state.libraryRoot = *root;
    m_state.libraryGiven = !m_argumentText.isEmpty();
    const Outcome created = CreateLibraryIfMissing(m_state.libraryRoot);
    if (!created.done())
        return fail(
            tr("Problem encountered with specified directory (%1).  Check the target line for the shortcut. "
               "Error encoutered: %2")
                .arg(m_argumentText, created.text));
    if (!m_services.instance.acquireLibrary(m_state.libraryRoot))
        return fail(tr("Vistrelle is already running.  Check the System Tray."));
    m_ownLibrary =
        QFileInfo(m_state.libraryRoot).canonicalFilePath() ==
        QFileInfo(LibraryRootFor(folders.libraryParent, QString()).value_or(QString())).canonicalFilePath();

    ReadSettings();
    fillWindows(m_state.settings.introCategory, m_state.settings.introImageSet);
    // What a capture killed in the middle left behind, in turn with the next pictures, so that
    // no write of theirs is taken for one.
    m_engine.recoverAtStart(m_state.libraryRoot);
    return true;
}

void VistrelleApp::fillWindows(const QString& category, const QString& imageSet)
{
    imageViewer().setUpdatesEnabled(false);
    m_main->FillCategoryList();
    if (category.isEmpty() || imageSet.isEmpty()) {
        m_main->RefreshImageSets();
    } else if (!m_main->SelectImageSet(imageSet, category)) {
        forgetIntroSet();
        m_main->RefreshImageSets();
    }
    m_main->chooseFormat(m_state.settings.captureExtension);
    imageViewer().setUpdatesEnabled(true);
}

void VistrelleApp::forgetIntroSet()
{
    if (!m_ownLibrary)
        return;
    m_state.settings.introCategory.clear();
    m_state.settings.introImageSet.clear();
}

bool VistrelleApp::fail(const QString& message)
{
    // The program ends after the message: nothing copied meanwhile is filed, or told to fail.
    m_state.capturePaused = true;
    m_services.boxes.show(message, BoxLook::NoIcon);
    return false;
}

frmVistrelle* VistrelleApp::mainWindow() const
{
    return m_main;
}

frmImage& VistrelleApp::imageViewer()
{
    if (!m_viewer) {
        m_viewer = new frmImage(m_state, m_noImages);
        QObject::connect(m_viewer, &frmImage::menuRequested, m_viewer,
                         [this](const QString& path, const QPoint& where) {
                             m_pictures.showMenu({path}, where, m_viewer);
                         });
        QObject::connect(m_viewer, &frmImage::copyRequested, m_viewer,
                         [this](const QString& path) { m_pictures.copy({path}); });
        QObject::connect(m_viewer, &frmImage::dragRequested, m_viewer,
                         [this](const QString& path, QWidget* box, const QImage& picture) {
                             m_pictures.drag({path}, box, picture);
                         });
        QObject::connect(m_viewer, &frmImage::wordsRequested, m_viewer,
                         [this](const QString& path, const QRect& area) {
                             m_viewer->outline(path, m_pictures.copyText(path, area));
                         });
        QObject::connect(m_viewer, &frmImage::stepRequested, m_viewer, [this](int step) {
            if (m_main)
                m_main->stepFile(step);
        });
        QObject::connect(m_viewer, &frmImage::introImageRequested, m_viewer, [this] {
            if (m_main)
                m_main->makeIntroImage();
        });
    }
    return *m_viewer;
}

void VistrelleApp::unloadImageViewer()
{
    delete m_viewer.data();
}

void VistrelleApp::ReadSettings()
{
    const MainWindowPosition position = ReadSettingsFile(SettingsFilePath(m_state), m_state.settings);
    m_settingsRead = true;
    if (!m_main)
        return;
    QPoint topLeft = m_main->pos();
    if (position.top)
        topLeft.setY(TwipsToPixels(*position.top));
    if (position.left)
        topLeft.setX(TwipsToPixels(*position.left));
    m_main->move(OnScreens(QRect(topLeft, m_main->size())));
}

bool VistrelleApp::WriteSettings()
{
    if (!m_settingsRead)
        return true;
    std::optional<QPoint> mainTopLeft;
    if (m_main && !m_main->isMinimized())
        mainTopLeft = QPoint(PixelsToTwips(m_main->pos().x()), PixelsToTwips(m_main->pos().y()));
    // After the viewer is unloaded (the orderly stop) it is not brought back just to be
    // measured: a freshly loaded viewer would stand where AppState says.
    const ViewerPlacement viewer =
        m_viewer ? m_viewer->placementForSaving()
                 : ViewerPlacement{m_state.settings.imageViewerTop, m_state.settings.imageViewerLeft,
                                   UsableViewerWidth(m_state.settings.imageViewerWidth, ScreensWidthTwips())};
    const QString path = SettingsFilePath(m_state);
    const Outcome written = WriteSettingsFile(path, SettingsText(m_state.settings, mainTopLeft, viewer));
    if (!written.done())
        m_services.boxes.show(tr("Could not write %1 file (%2).").arg(path, written.text),
                              BoxLook::Exclamation);
    if (settingsWritten)
        settingsWritten(m_state.settings);
    tellTakenHotkeys();
    return written.done();
}

void VistrelleApp::tellTakenHotkeys()
{
    QStringList checked;
    QStringList taken;
    for (const auto& [hotkey, modifiers] :
         {std::pair{m_state.settings.activeWindowHotkey, m_state.settings.activeWindowModifiers},
          std::pair{m_state.settings.timeLapseHotkey, m_state.settings.timeLapseModifiers}}) {
        const QString combination = HotkeyCombination(hotkey, modifiers);
        if (combination.isEmpty() || checked.contains(combination))
            continue;
        checked.append(combination);
        if (!m_checkedHotkeys.contains(combination) && m_services.keys.taken(hotkey, modifiers))
            taken.append(tr("%1 is taken by another program").arg(combination));
    }
    m_checkedHotkeys = checked;
    for (const QString& text : std::as_const(taken))
        m_services.boxes.show(text, BoxLook::Exclamation);
}

void VistrelleApp::mainWindowUnloading()
{
    if (m_state.lowResourceMode)
        return;
    if (!m_sessionSaved)
        WriteSettings();
    unloadImageViewer();
}

void VistrelleApp::enterLowResourceMode()
{
    WriteSettings();
    m_state.lowResourceMode = true;
    // Hidden behind its tray icon, the small window is no visible window: without this, closing
    // a message box of a capture would end the program. Close and the close box end it instead.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_lowResource = new frmLowResource(m_state, m_services, m_engine);
    QObject::connect(m_lowResource, &frmLowResource::restoreRequested, m_lowResource,
                     [this](QPoint topLeft) { leaveLowResourceMode(topLeft); });
    QObject::connect(m_lowResource, &frmLowResource::unloading, m_lowResource,
                     [this] { lowResourceWindowUnloading(); });
    pauseReading();
    m_lowResource->move(m_main->pos());
    m_lowResource->show();
    // The small window stands before the others go, so the program never has no window.
    unloadImageViewer();
    m_main->close();
    // Drawn again on the way back; the mode is about a small footprint.
    m_noImages = QImage();
}

void VistrelleApp::leaveLowResourceMode(QPoint topLeft)
{
    m_noImages = NoImagesPicture();
    createMainWindow();
    loadMainWindow(topLeft);
    if (m_lowResource)
        m_lowResource->close();
    QGuiApplication::setQuitOnLastWindowClosed(true);
    pauseReading();
}

void VistrelleApp::pauseReading()
{
    m_reading.setPaused(m_state.capturePaused || m_state.lowResourceMode || !m_state.settings.readWords);
}

void VistrelleApp::showPicture(const QString& path)
{
    if (m_lowResource && m_state.lowResourceMode)
        leaveLowResourceMode(m_lowResource->pos());
    if (!m_main)
        return;
    m_main->showPicture(path);
    for (QWidget* window : {static_cast<QWidget*>(&imageViewer()), static_cast<QWidget*>(m_main.data())}) {
        window->showNormal();
        window->raise();
        window->activateWindow();
    }
}

void VistrelleApp::lowResourceWindowUnloading()
{
    // Closed by Close or its close box rather than by Restore: nothing is left to show. The
    // settings were written when the mode began.
    if (!m_main)
        QCoreApplication::quit();
}

frmLowResource* VistrelleApp::lowResourceWindow() const
{
    return m_lowResource;
}

void VistrelleApp::EndProgram()
{
    unloadImageViewer();
    if (m_main)
        m_main->close();
    QCoreApplication::quit();
}

void VistrelleApp::EndSession()
{
    // Saved as the main window's unload would save; in low-resource mode that was done when the
    // mode began. The windows are not closed here: the signal may arrive while a message box
    // waits, with a window's code still on the stack below it. Quitting ends every event loop,
    // and the windows go with the application object.
    SaveForSession();
    m_sessionSaved = true;
    QCoreApplication::quit();
}

void VistrelleApp::SaveForSession()
{
    if (m_main && !m_state.lowResourceMode)
        WriteSettings();
}
