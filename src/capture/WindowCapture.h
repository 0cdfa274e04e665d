#pragma once

#include "platform/Outcome.h"

#include <QImage>
#include <QObject>
#include <QStringList>
#include <optional>

struct AppState;
struct Services;

/// The active window's picture for the hotkeys and time-lapse: asked of the screen grab, and
/// handed on to be filed with the suffix of the request when the desktop gives it (at once for
/// an X11 window). One request at a time: one made before the desktop has answered the last is
/// dropped, so a held hotkey or time-lapse never piles questions up at the desktop.
class WindowCapture final : public QObject
{
    Q_OBJECT

public:
    WindowCapture(AppState& state, Services& services);

    /// Asks for the active window, to be filed with \a suffix.
    void request(const QString& suffix);
    /// The user has read what asking() said: the desktop may ask its question now.
    void carryOn();

signals:
    /// The desktop gave \a picture, to be filed with \a suffix.
    void grabbed(const QImage& picture, const QString& suffix);
    /// What the user is to be told: why no picture came and what to allow, each text once until
    /// a picture comes again; why the whole screen came instead of the window, once, as a done
    /// outcome with that text (a picture was filed).
    void told(const Outcome& outcome);
    /// The desktop is about to ask the user whether the program may take screenshots: \a text
    /// says what the question is about; carryOn() once the user has read it.
    void asking(const QString& text);

private:
    void taken(const QImage& picture);
    void failed(const QString& why);
    void tellOnce(const Outcome& outcome);

    AppState& m_state;
    Services& m_services;
    std::optional<QString> m_asked; // the suffix of the request the desktop has not answered yet
    QStringList m_told;             // since the last picture
    bool m_toldScreen = false;      // why the whole screen came instead of the window
};
