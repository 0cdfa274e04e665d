#pragma once

#include "capture/CaptureEngine.h"
#include "capture/CaptureHeartbeat.h"
#include "core/AppState.h"
#include "library/ReaderWorker.h"
#include "ui/CaptureNotices.h"
#include "ui/CaptureNotifier.h"
#include "ui/PictureActions.h"

#include <QCoreApplication>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

class CaptureWorker;
class LibraryDialogs;
class frmImage;
class frmLowResource;
class frmVistrelle;
struct Services;

/// The application object: owns AppState, reaches the machine through the services, keeps the
/// one instance of each window, creating it when first referred to, and connects the windows'
/// signals.
class VistrelleApp final
{
    Q_DECLARE_TR_FUNCTIONS(VistrelleApp)

public:
    VistrelleApp(Services& services, LibraryDialogs& dialogs, CaptureWorker& worker, QString programDir,
                 const QStringList& arguments);
    ~VistrelleApp();
    VistrelleApp(const VistrelleApp&) = delete;
    VistrelleApp& operator=(const VistrelleApp&) = delete;

    /// Creates the main window and runs its load sequence; with \a lowResource, low-resource
    /// mode takes over at once when an Image Set is shown. False when start-up was refused or
    /// failed; the user has been told why and no settings were written.
    bool start(bool lowResource = false);

    AppState& state() { return m_state; }
    Services& services() { return m_services; }
    CaptureEngine& engine() { return m_engine; }
    CaptureHeartbeat& heartbeat() { return m_heartbeat; }
    ReaderWorker& reading() { return m_reading; }

    frmVistrelle* mainWindow() const;
    frmImage& imageViewer();
    bool hasImageViewer() const { return !m_viewer.isNull(); }
    void unloadImageViewer();
    frmLowResource* lowResourceWindow() const;

    void ReadSettings();
    /// Writes the settings file; on failure tells the user why, and returns false. Nothing is
    /// written before the file was read, so a failed start never replaces the user's settings
    /// by the defaults.
    bool WriteSettings();
    /// Told the settings after each write, so that the desktop's shortcuts follow Options.
    std::function<void(const Settings&)> settingsWritten;

    /// The orderly stop after a critical error: viewer, then main window, then the process.
    void EndProgram();

    /// The session ends (logout, a termination signal): saves as closing the window would,
    /// then ends the program.
    void EndSession();
    /// The session manager asks to save: the settings are written as a close would write them.
    void SaveForSession();

private:
    void createMainWindow();
    /// The main window's load sequence; the windows are shown unless \a show is false.
    bool loadMainWindow(std::optional<QPoint> placeAt = std::nullopt, bool show = true);
    bool StartUp();
    /// Fills the windows' lists and shows \a imageSet of \a category, or the first Image Set
    /// when none is named or it is gone.
    void fillWindows(const QString& category, const QString& imageSet);
    bool fail(const QString& message);
    /// Clears the Intro Set when its Image Set is gone, unless the library is another one.
    void forgetIntroSet();

    /// The main window's unload step: saves the settings and closes the viewer, unless
    /// low-resource mode is taking over.
    void mainWindowUnloading();
    /// Writes the settings and replaces the main window and the viewer by the small
    /// low-resource window, which goes on capturing into the current Image Set.
    void enterLowResourceMode();
    /// Loads the main window again at \a topLeft, with the Image Set it had, and unloads the
    /// small window.
    void leaveLowResourceMode(QPoint topLeft);
    /// The small window's unload step: with no main window left, the program ends.
    void lowResourceWindowUnloading();
    /// Reading rests while capturing is paused and in low-resource mode, which is about a small
    /// footprint.
    void pauseReading();
    /// Brings the main window forward, out of low-resource mode, with the picture at \a path
    /// selected and in the viewer.
    void showPicture(const QString& path);
    /// Tells each hotkey combination another program holds, once from when it is chosen (or
    /// read at the start), so that a key is never silently dead.
    void tellTakenHotkeys();

    AppState m_state;
    Services& m_services;
    LibraryDialogs& m_dialogs;
    CaptureEngine m_engine;
    CaptureHeartbeat m_heartbeat;
    CaptureNotices m_notices;
    CaptureNotifier m_notifier;
    ReaderWorker m_reading;
    PictureActions m_pictures;
    QString m_programDir;
    QString m_argumentText;
    // False for a library given on the command line: the Intro Set then names a set of the
    // normal library, which this run leaves alone.
    bool m_ownLibrary = true;
    bool m_settingsRead = false;
    QStringList m_checkedHotkeys; // the combinations the hotkeys had when last looked at
    // Set once the session's end has saved: quitting closes the windows, whose unload would
    // save, and tell of a failure, once more.
    bool m_sessionSaved = false;
    QImage m_noImages; // null in low-resource mode
    QPointer<frmVistrelle> m_main;
    QPointer<frmImage> m_viewer;
    QPointer<frmLowResource> m_lowResource;
};
