#pragma once

#include "ui/AppIcon.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

class QLineEdit;
class QMenu;
class CaptureEngine;
struct AppState;
struct Services;

/// The tray icon's tip: the window's caption and the Image Set, cut to 63 characters as the
/// notification area has always shown it.
QString LowResourceTip(const QString& caption, const QString& imageSet);

/// The small window that stands in for the main window and the image viewer while they are
/// unloaded: it shows where screenshots go and whether time-lapse runs or capturing is paused,
/// and hides behind a tray icon.
class frmLowResource final : public QWidget
{
    Q_OBJECT

public:
    frmLowResource(AppState& state, Services& services, CaptureEngine& engine);

    void cmdReturn_Click();
    void mnuClose_Click();
    void mnuPauseCapturing_Click();
    void trayIcon_Activated(QSystemTrayIcon::ActivationReason reason);

signals:
    /// Restore was chosen: the main window comes back at \a topLeft.
    void restoreRequested(QPoint topLeft);
    /// The window is closing without a restore: nothing is left to show.
    void unloading();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildControls();
    void minimize();
    /// Takes the window off the screen, once it has been shown, as the mode begins.
    void minimizeOnce();
    /// The caption and the tray icon say whether time-lapse runs and whether capturing is paused.
    void showCaptureState();
    void updateTip();

    AppState& m_state;
    Services& m_services;
    CaptureEngine& m_engine;
    QLineEdit* m_txtLowResCategory = nullptr;
    QLineEdit* m_txtLowResImageSetName = nullptr;
    QMenu* m_mnuSysTrayMenu = nullptr;
    QAction* m_mnuPauseCapturing = nullptr;
    QAction* m_mnuTimeLapse = nullptr;
    QTimer m_capturedShown; // running while the icon says a picture was just filed
    QSystemTrayIcon* m_trayIcon = nullptr;
    IconBadge m_badge = IconBadge::None;
};
