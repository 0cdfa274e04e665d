#pragma once

#include "AdapterChoice.h"
#include "capture/ThreadCaptureWorker.h"
#include "core/Settings.h"
#include "desktop/portal/PortalShortcuts.h"
#include "desktop/qt/CommandServer.h"
#include "desktop/qt/DesktopNotifications.h"
#include "desktop/qt/DesktopShell.h"
#include "desktop/qt/InotifyFolderWatcher.h"
#include "desktop/qt/LockFileInstance.h"
#include "desktop/qt/QtMessageBoxes.h"
#include "desktop/qt/QtSound.h"
#include "desktop/qt/QtSystemTray.h"
#include "desktop/qt/SystemClock.h"
#include "desktop/tesseract/ProcessTextReader.h"
#include "desktop/x11/X11ActiveWindowSource.h"
#include "desktop/x11/X11KeyState.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardWriter.h"
#include "platform/ScreenGrab.h"
#include "platform/Services.h"
#include "ui/dialogs/ModalLibraryDialogs.h"

/// The real services the program runs with, the ways to the clipboard, screen and keys chosen
/// for the desktop session; for the program and the benchmarks that run it. Made after the
/// QApplication.
class DesktopServices
{
public:
    /// Find's words are read by \a readingProgram.
    explicit DesktopServices(const QString& readingProgram)
        : m_reader(readingProgram)
    {
    }
    Services& services() { return m_services; }
    LibraryDialogs& dialogs() { return m_dialogs; }
    CaptureWorker& worker() { return m_worker; }
    /// Takes the capture commands of later starts, and on a Wayland desktop asks for its global
    /// shortcuts, proposing the hotkeys of \a settings; once the program holds its instance lock.
    void startShortcuts(const Settings& settings)
    {
        m_commands.listen();
        // Told outside the tick, as the capture's messages are.
        QObject::connect(
            &m_portalShortcuts, &PortalShortcuts::told, &m_portalShortcuts,
            [this](const QString& text) { m_boxes.show(text, BoxLook::Information, BoxButtons::Ok); },
            Qt::QueuedConnection);
        proposeKeys(settings);
    }
    /// Proposes the hotkeys of \a settings to the desktop's global shortcuts when they changed
    /// since the last proposal (Options), without a restart.
    void proposeKeys(const Settings& settings)
    {
        const QStringList keys{
            PortalShortcuts::KeysFor(settings.activeWindowHotkey, settings.activeWindowModifiers),
            PortalShortcuts::KeysFor(settings.timeLapseHotkey, settings.timeLapseModifiers)};
        if (ChooseHotkeys(m_session) != HotkeyWay::X11KeysAndPortal || keys == m_proposedKeys)
            return;
        m_proposedKeys = keys;
        m_portalShortcuts.bind(keys[0], keys[1]);
    }

private:
    QtMessageBoxes m_boxes;
    DesktopSession m_session = ProbeDesktopSession();
    std::unique_ptr<Clipboard> m_clipboard = MakeClipboard(m_session);
    DesktopShell m_shell;
    LockFileInstance m_instance;
    ModalLibraryDialogs m_dialogs{m_boxes};
    SystemClock m_clock;
    X11KeyState m_keys;
    std::unique_ptr<ScreenGrab> m_grab = MakeScreenGrab(m_session);
    QtSound m_sound;
    QtSystemTray m_tray;
    ThreadCaptureWorker m_worker;
    ShortcutLatch m_shortcuts;
    CommandServer m_commands{m_shortcuts};
    PortalShortcuts m_portalShortcuts{m_shortcuts};
    QStringList m_proposedKeys;
    X11ActiveWindowSource m_windowSource;
    ProcessTextReader m_reader;
    // Each clipboard adapter writes as well as reads, so that it knows the program's own copies.
    ClipboardWriter& m_writer = dynamic_cast<ClipboardWriter&>(*m_clipboard);
    DesktopNotifications m_notifications;
    InotifyFolderWatcher m_watcher;
    Services m_services{m_boxes,        *m_clipboard, m_shell,  m_instance,      m_clock,
                        m_keys,         *m_grab,      m_sound,  m_tray,          m_shortcuts,
                        m_windowSource, m_reader,     m_writer, m_notifications, m_watcher};
};
