#include "WindowCapture.h"

#include "core/AppState.h"
#include "platform/Notifications.h"
#include "platform/ScreenGrab.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QPointer>
#include <utility>

WindowCapture::WindowCapture(AppState& state, Services& services)
    : m_state(state)
    , m_services(services)
{
    connect(&services.grab, &ScreenGrab::taken, this, &WindowCapture::taken);
    connect(&services.grab, &ScreenGrab::failed, this, &WindowCapture::failed);
    connect(&services.grab, &ScreenGrab::waiting, this, &WindowCapture::asking);
    connect(&services.grab, &ScreenGrab::screenInstead, this, [this](const QString& why) {
        // Once a run: the screen keeps coming the same way until the user does what it says.
        if (!std::exchange(m_toldScreen, true))
            emit told({Outcome::Kind::Done,
                       0,
                       QCoreApplication::translate("WindowCapture",
                                                   "The whole screen was filed, not the active window.  %1")
                           .arg(why),
                       {}});
    });
}

void WindowCapture::request(const QString& suffix)
{
    if (m_asked)
        return;
    m_asked = suffix;
    // A notification of the program's own on the screen would be in the picture: it goes first.
    m_services.notifications.withdraw([window = QPointer<WindowCapture>(this)] {
        if (window)
            window->m_services.grab.grab();
    });
}

void WindowCapture::carryOn()
{
    m_services.grab.proceed();
}

void WindowCapture::taken(const QImage& picture)
{
    if (!m_asked)
        return;
    const QString suffix = *std::exchange(m_asked, std::nullopt);
    // Paused while the desktop took its time: the user wants nothing filed now.
    if (m_state.capturePaused)
        return;
    m_told.clear();
    emit grabbed(picture, suffix);
}

void WindowCapture::failed(const QString& why)
{
    m_asked.reset();
    // No window to take is no news; anything else is said, and nothing is filed.
    if (!why.isEmpty())
        tellOnce(Outcome::failed(
            0, QCoreApplication::translate("WindowCapture", "The active window was not captured.  %1")
                   .arg(why)));
}

void WindowCapture::tellOnce(const Outcome& outcome)
{
    if (m_told.contains(outcome.text))
        return;
    m_told.append(outcome.text);
    emit told(outcome);
}
