#include "frmLowResource.h"

#include "capture/CapturePause.h"
#include "core/AppState.h"
#include "library/LibraryCommands.h"
#include "platform/FreedMemory.h"
#include "platform/Services.h"
#include "platform/SystemTray.h"
#include "ui/AppIcon.h"
#include "ui/CaptureCaption.h"
#include "ui/CaptureTicking.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace {

constexpr int designClientWidth = 4710;
constexpr int designClientHeight = 3510;
constexpr qsizetype longestTip = 63;

template <typename Widget>
Widget* placed(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
    return widget;
}

} // namespace

QString LowResourceTip(const QString& caption, const QString& imageSet)
{
    return (caption + QStringLiteral(" (") + imageSet + QLatin1Char(')')).left(longestTip);
}

frmLowResource::frmLowResource(AppState& state, Services& services)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_services(services)
{
    setObjectName(QStringLiteral("frmLowResource"));
    setWindowTitle(CaptureCaption(m_state, QStringLiteral(" (LR mode)")));
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    resize(TwipsToPixels(designClientWidth), TwipsToPixels(designClientHeight));

    m_txtLowResCategory->setText(m_state.currentCategory);
    m_txtLowResImageSetName->setText(m_state.currentImageSet);
    updateTip();
    m_trayIcon->show();
    m_tmrTimer->start();
}

void frmLowResource::buildControls()
{
    placed(new QLabel(QStringLiteral("Category"), this), "lblPackageCategory", 120, 120, 1935, 375);
    m_txtLowResCategory = placed(new QLineEdit(this), "txtLowResCategory", 120, 360, 4455, 330);
    m_txtLowResCategory->setReadOnly(true);
    placed(new QLabel(QStringLiteral("Image Set"), this), "lblPackageName", 120, 840, 1575, 375);
    m_txtLowResImageSetName = placed(new QLineEdit(this), "txtLowResImageSetName", 120, 1080, 4455, 330);
    m_txtLowResImageSetName->setReadOnly(true);
    for (auto [name, text, top] :
         {std::tuple{"Label1",
                     "Vistrelle is now operating in Low Resource mode.  Screenshots will be placed in the "
                     "Category and Image Set above.",
                     1560},
          std::tuple{"Label2", "If you minimize this window, Vistrelle will utilize even less memory.",
                     2400}}) {
        auto* label = placed(new QLabel(QLatin1String(text), this), name, 120, top, 4455, 975);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    auto* cmdReturn =
        placed(new QPushButton(QStringLiteral("&Restore"), this), "cmdReturn", 120, 3000, 975, 375);
    cmdReturn->setDefault(true);
    // Enter and Esc both press Restore, wherever the focus is.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(key, this), &QShortcut::activated, cmdReturn, &QPushButton::click);

    m_tmrTimer = new QTimer(this);
    m_tmrTimer->setObjectName(QStringLiteral("tmrTimer"));
    m_tmrTimer->setInterval(100);

    m_mnuSysTrayMenu = new QMenu(QStringLiteral("&SysTrayMenu"), this);
    m_mnuSysTrayMenu->setObjectName(QStringLiteral("mnuSysTrayMenu"));
    m_mnuPauseCapturing = m_mnuSysTrayMenu->addAction(QStringLiteral("P&ause capturing"));
    m_mnuPauseCapturing->setObjectName(QStringLiteral("mnuPauseCapturing"));
    m_mnuPauseCapturing->setCheckable(true);
    m_mnuPauseCapturing->setChecked(m_state.capturePaused);
    QAction* mnuClose = m_mnuSysTrayMenu->addAction(QStringLiteral("&Close"));
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
    m_trayIcon = new QSystemTrayIcon(AppIcon(), this);
    m_trayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_trayIcon->setContextMenu(m_mnuSysTrayMenu);

    connect(cmdReturn, &QPushButton::clicked, this, &frmLowResource::cmdReturn_Click);
    connect(mnuClose, &QAction::triggered, this, &frmLowResource::mnuClose_Click);
    connect(m_mnuPauseCapturing, &QAction::triggered, this, &frmLowResource::mnuPauseCapturing_Click);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &frmLowResource::trayIcon_Activated);
    connect(m_tmrTimer, &QTimer::timeout, this, &frmLowResource::tmrTimer_Timer);
}

void frmLowResource::tmrTimer_Timer()
{
    if (!m_minimizedOnce && isVisible() && !isMinimized()) {
        minimize();
        m_minimizedOnce = true;
        // The main window and the viewer were deleted on the way back to the event loop.
        ReturnFreedMemory();
    }
    // No Image Set check here: the shots go where the two boxes say.
    TickAndTell(m_state, m_services, true, [this] {
        // Only the name check of the next shot needs the Image Set's files; no list is shown.
        m_state.fileListEntries.clear();
        RefillImageSetFiles(m_state, CurrentImageSetFolder(m_state));
        ReturnFreedMemory();
    });
}

void frmLowResource::minimize()
{
    // Hidden, the window comes back only through the tray icon; without a tray it waits on
    // the taskbar instead.
    if (m_services.tray.available())
        hide();
    else
        showMinimized();
}

void frmLowResource::trayIcon_Activated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    if (!isVisible() || isMinimized() || isMaximized()) {
        showNormal();
        raise();
        activateWindow();
    } else {
        minimize();
    }
}

void frmLowResource::cmdReturn_Click()
{
    emit restoreRequested(pos());
}

void frmLowResource::mnuClose_Click()
{
    close();
}

void frmLowResource::mnuPauseCapturing_Click()
{
    SetCapturePaused(m_state, m_services, m_mnuPauseCapturing->isChecked());
    setWindowTitle(CaptureCaption(m_state, QStringLiteral(" (LR mode)")));
}

void frmLowResource::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        if (isMinimized() && m_services.tray.available())
            QTimer::singleShot(0, this, [this] {
                if (isMinimized())
                    hide();
            });
        updateTip();
    } else if (event->type() == QEvent::WindowTitleChange) {
        updateTip();
    }
}

void frmLowResource::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateTip();
}

void frmLowResource::updateTip()
{
    if (!m_trayIcon)
        return;
    m_trayIcon->setToolTip(LowResourceTip(windowTitle(), m_txtLowResImageSetName->text()));
}

void frmLowResource::closeEvent(QCloseEvent* event)
{
    m_tmrTimer->stop();
    m_trayIcon->hide();
    event->accept();
    emit unloading();
}
