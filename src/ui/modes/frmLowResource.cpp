#include "frmLowResource.h"

#include "capture/CaptureEngine.h"
#include "capture/CapturePause.h"
#include "core/AppState.h"
#include "platform/FreedMemory.h"
#include "platform/Services.h"
#include "platform/ShortcutLatch.h"
#include "platform/SystemTray.h"
#include "ui/AppIcon.h"
#include "ui/CaptureCaption.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int designClientWidth = 4710;
constexpr int designClientHeight = 3510;
constexpr qsizetype longestTip = 63;
constexpr int capturedBadgeMs = 1500;
// After the first event loop pass, which deletes the main window and the viewer.
constexpr int minimizeAfterMs = 100;

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

QString LowResourceTip(const QString& caption, const QString& imageSet)
{
    return (caption + QStringLiteral(" (") + imageSet + QLatin1Char(')')).left(longestTip);
}

frmLowResource::frmLowResource(AppState& state, Services& services, CaptureEngine& engine)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_services(services)
    , m_engine(engine)
{
    setObjectName(QStringLiteral("frmLowResource"));
    setWindowIcon(AppIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    const int width = TwipsToPixels(designClientWidth);
    resize(width, std::max(TwipsToPixels(designClientHeight), layout()->totalHeightForWidth(width)));

    m_txtLowResCategory->setText(m_state.currentCategory);
    m_txtLowResImageSetName->setText(m_state.currentImageSet);
    showCaptureState();
    m_trayIcon->show();
    connect(&m_engine, &CaptureEngine::filed, this, [this] {
        // The icon says a picture was filed, for a moment.
        m_capturedShown.start();
        showCaptureState();
    });
    connect(&m_engine, &CaptureEngine::timeLapseChanged, this, &frmLowResource::showCaptureState);
    connect(&m_engine, &CaptureEngine::pausedChanged, this, &frmLowResource::showCaptureState);
    m_capturedShown.setSingleShot(true);
    m_capturedShown.setInterval(capturedBadgeMs);
    connect(&m_capturedShown, &QTimer::timeout, this, &frmLowResource::showCaptureState);
    QTimer::singleShot(minimizeAfterMs, this, &frmLowResource::minimizeOnce);
}

void frmLowResource::buildControls()
{
    // Laid out rather than placed, so that the desktop's font, however large, fits.
    auto* layout = new QVBoxLayout(this);
    const int margin = TwipsToPixels(120);
    layout->setContentsMargins(margin, margin, margin, margin);
    m_txtLowResCategory = named(new QLineEdit(this), "txtLowResCategory");
    m_txtLowResCategory->setReadOnly(true);
    // The window's menu is the tray icon's, wherever it is asked for (contextMenuEvent).
    m_txtLowResCategory->setContextMenuPolicy(Qt::NoContextMenu);
    auto* lblCategory = named(new QLabel(tr("&Category"), this), "lblPackageCategory");
    lblCategory->setBuddy(m_txtLowResCategory);
    layout->addWidget(lblCategory);
    layout->addWidget(m_txtLowResCategory);
    layout->addSpacing(margin);
    m_txtLowResImageSetName = named(new QLineEdit(this), "txtLowResImageSetName");
    m_txtLowResImageSetName->setReadOnly(true);
    m_txtLowResImageSetName->setContextMenuPolicy(Qt::NoContextMenu);
    auto* lblImageSet = named(new QLabel(tr("Image &Set"), this), "lblPackageName");
    lblImageSet->setBuddy(m_txtLowResImageSetName);
    layout->addWidget(lblImageSet);
    layout->addWidget(m_txtLowResImageSetName);
    // The window takes itself off the screen at once: the words say where it goes.
    const char* whereItWaits =
        m_services.tray.available()
            ? QT_TR_NOOP(
                  "This window waits behind Vistrelle's icon in the notification area: click the icon to "
                  "show or hide it.  Restore brings back the main window.")
            : QT_TR_NOOP("This window waits on the taskbar, minimised: click it there to show it.  Restore "
                         "brings back the main window.");
    for (auto [name, text] :
         {std::pair{"Label1",
                    QT_TR_NOOP("Vistrelle is now operating in Low Resource mode.  Screenshots will be placed "
                               "in the Category and Image Set above.")},
          std::pair{"Label2", whereItWaits}}) {
        layout->addSpacing(margin);
        auto* label = named(new QLabel(tr(text), this), name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(label);
    }
    layout->addStretch();
    auto* cmdReturn = named(new QPushButton(tr("&Restore"), this), "cmdReturn");
    cmdReturn->setDefault(true);
    layout->addWidget(cmdReturn, 0, Qt::AlignLeft);
    // Enter and Esc both press Restore, wherever the focus is.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(key, this), &QShortcut::activated, cmdReturn, &QPushButton::click);

    m_mnuSysTrayMenu = new QMenu(tr("&SysTrayMenu"), this);
    m_mnuSysTrayMenu->setObjectName(QStringLiteral("mnuSysTrayMenu"));
    // The hotkeys' two commands, for a desktop where no key reaches the program: they go the
    // hotkeys' way, at the next tick, to the window that has the focus once the menu is gone.
    QAction* mnuCaptureWindow = m_mnuSysTrayMenu->addAction(tr("Capture &Active Window"));
    mnuCaptureWindow->setObjectName(QStringLiteral("mnuCaptureWindow"));
    connect(mnuCaptureWindow, &QAction::triggered, this,
            [this] { m_services.shortcuts.tap(Shortcut::ActiveWindow); });
    m_mnuTimeLapse = m_mnuSysTrayMenu->addAction(tr("Start &Time-Lapse"));
    m_mnuTimeLapse->setObjectName(QStringLiteral("mnuTimeLapse"));
    connect(m_mnuTimeLapse, &QAction::triggered, this,
            [this] { m_services.shortcuts.tap(Shortcut::TimeLapse); });
    m_mnuPauseCapturing = m_mnuSysTrayMenu->addAction(tr("P&ause capturing"));
    m_mnuPauseCapturing->setObjectName(QStringLiteral("mnuPauseCapturing"));
    m_mnuPauseCapturing->setCheckable(true);
    m_mnuPauseCapturing->setChecked(m_state.capturePaused);
    QAction* mnuClose = m_mnuSysTrayMenu->addAction(tr("&Close"));
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
    m_trayIcon = new QSystemTrayIcon(this);
    m_trayIcon->setObjectName(QStringLiteral("trayIcon"));
    m_trayIcon->setContextMenu(m_mnuSysTrayMenu);

    connect(cmdReturn, &QPushButton::clicked, this, &frmLowResource::cmdReturn_Click);
    connect(mnuClose, &QAction::triggered, this, &frmLowResource::mnuClose_Click);
    connect(m_mnuPauseCapturing, &QAction::triggered, this, &frmLowResource::mnuPauseCapturing_Click);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, &frmLowResource::trayIcon_Activated);
}

void frmLowResource::minimizeOnce()
{
    if (isVisible() && !isMinimized())
        minimize();
    // The main window and the viewer were deleted on the way back to the event loop.
    ReturnFreedMemory();
}

void frmLowResource::showCaptureState()
{
    if (const QString caption = CaptureCaption(m_state, tr(" (LR mode)")); caption != windowTitle()) {
        setWindowTitle(caption);
        // Minimised, as it mostly waits, the window is known by this name (the taskbar's, a
        // screen reader's), not by its title.
        setWindowIconText(caption);
    }
    m_mnuTimeLapse->setText(m_state.timeLapseActive ? tr("Stop &Time-Lapse") : tr("Start &Time-Lapse"));
    const IconBadge badge = m_state.capturePaused        ? IconBadge::Paused
                            : m_state.timeLapseActive    ? IconBadge::TimeLapse
                            : m_capturedShown.isActive() ? IconBadge::Captured
                                                         : IconBadge::None;
    if (badge == m_badge && !m_trayIcon->icon().isNull())
        return;
    m_badge = badge;
    m_trayIcon->setIcon(AppIcon(badge));
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
    SetCapturePaused(m_state, m_services, m_engine, m_mnuPauseCapturing->isChecked());
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

void frmLowResource::contextMenuEvent(QContextMenuEvent* event)
{
    // The tray icon's menu, also over the window: the menu key reaches it where no key reaches
    // the notification area, or where there is none.
    m_mnuSysTrayMenu->popup(event->globalPos());
}

void frmLowResource::closeEvent(QCloseEvent* event)
{
    m_trayIcon->hide();
    event->accept();
    emit unloading();
}
