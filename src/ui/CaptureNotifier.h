#pragma once

#include <QImage>
#include <QObject>

class CaptureEngine;
class Notifications;
struct AppState;

/// Tells each capture on the desktop's notifications, with its thumbnail and where it went, and
/// offers Show and Copy on it; time-lapse is told when it starts and when it stops, not shot by
/// shot. Nothing is told while the settings say not to.
class CaptureNotifier final : public QObject
{
    Q_OBJECT

public:
    CaptureNotifier(AppState& state, CaptureEngine& engine, Notifications& notifications);

signals:
    /// The user chose Show on the notification of the capture filed at \a path.
    void showRequested(const QString& path);

private:
    void filed(const QString& path, const QImage& thumbnail);
    void timeLapse(bool running);
    /// "Category / Image Set" of the picture at \a path, or of the current Image Set when empty.
    QString placeOf(const QString& path) const;

    AppState& m_state;
    CaptureEngine& m_engine;
    Notifications& m_notifications;
    int m_timeLapseShots = 0; // filed since time-lapse started
};
