#pragma once

#include <QObject>
#include <QTimer>

class CaptureEngine;
struct AppState;
struct Services;

/// The 100 ms heartbeat of capturing (CaptureTick): the hotkeys, the desktop's shortcuts and
/// time-lapse. One beats from the moment the program captures until it ends, whichever window
/// is shown; the windows show what it changes from the engine's signals.
class CaptureHeartbeat final : public QObject
{
    Q_OBJECT

public:
    CaptureHeartbeat(AppState& state, Services& services, CaptureEngine& engine);

    /// Starts the beat; nothing happens when it beats already.
    void start();
    /// One beat, now.
    void tick();

private:
    AppState& m_state;
    Services& m_services;
    CaptureEngine& m_engine;
    QTimer m_timer;
};
