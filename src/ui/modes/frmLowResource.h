#pragma once

#include <QSystemTrayIcon>
#include <QWidget>

class QLineEdit;
class QMenu;
class QTimer;
class VistrelleApp;
struct AppState;

/// The tray icon's tip: the window's caption and the Image Set, cut to 63 characters as the
/// notification area has always shown it.
QString LowResourceTip(const QString& caption, const QString& imageSet);

/// The small window that stands in for the main window and the image viewer while they are
/// unloaded: it shows where screenshots go, keeps capturing on its own timer and hides behind
/// a tray icon.
class frmLowResource final : public QWidget
{
    Q_OBJECT

public:
    explicit frmLowResource(VistrelleApp& app);

    void tmrTimer_Timer();
    void cmdReturn_Click();
    void mnuClose_Click();
    void trayIcon_Activated(QSystemTrayIcon::ActivationReason reason);

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void minimize();
    void updateTip();
    void refreshFileTables();

    VistrelleApp& m_app;
    AppState& m_state;
    QLineEdit* m_txtLowResCategory = nullptr;
    QLineEdit* m_txtLowResImageSetName = nullptr;
    QTimer* m_tmrTimer = nullptr;
    QMenu* m_mnuSysTrayMenu = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
};
