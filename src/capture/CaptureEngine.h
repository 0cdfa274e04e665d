#pragma once

#include "ScreenshotWriter.h"
#include "platform/ActiveWindowSource.h"
#include "platform/Outcome.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

class CaptureWorker;
struct AppState;
struct Services;

/// Files every new picture on the clipboard into the Image Set shown at that moment: fetched
/// once per clipboard change, as soon as the change is noticed, and filed by the worker. The
/// clipboard is emptied afterwards only while it still holds the picture filed, and a picture
/// that comes straight back (a clipboard manager taking it over or restoring it) is not filed
/// again.
class CaptureEngine final : public QObject
{
    Q_OBJECT

public:
    CaptureEngine(AppState& state, Services& services, CaptureWorker& worker);

    /// Fetches and hands over the clipboard's picture when it is one not handled yet; run on
    /// every change notice and by the tick, which sets the suffix of its own captures and
    /// says whether it put the picture there itself (\a ownPicture: never a restored one).
    void check(bool ownPicture = false);

    /// Counts the picture on the clipboard now as handled: it stays there unfiled until the
    /// clipboard changes.
    void passOverPresent();

    /// Pictures handed to the worker and not back yet.
    int pending() const { return m_pending; }

signals:
    /// A picture became the file at \a path; \a source is the window active when it arrived.
    void filed(const QString& path, const PictureSource& source);
    /// A picture could not be filed: what the user is to be told, once per picture. A refusal
    /// (no Image Set shown) is information, anything else a failure.
    void told(const Outcome& outcome);
    /// Capturing was paused or resumed (SetCapturePaused).
    void pausedChanged(bool paused);

private:
    void hand(ScreenshotJob job, quint64 change, const QString& folder);
    void finished(quint64 change, const QString& folder, const ScreenshotResult& result);
    void tellOnce(quint64 change, const QString& folder, const Outcome& outcome);

    AppState& m_state;
    Services& m_services;
    CaptureWorker& m_worker;
    // The change last taken up, and the Image Set it was taken up for. A picture that could
    // not be filed is tried again when the Image Set shown changes.
    std::optional<quint64> m_taken;
    QString m_takenFolder;
    bool m_retry = false;
    int m_pending = 0;
    // The pixels filed last, and when a picture was last taken up or the clipboard emptied: a
    // picture soon after either may be the same one back.
    std::optional<size_t> m_filedPixels;
    QDateTime m_lastMoment;
    // Pictures that may be one back, held until the worker has said what it filed before them.
    struct Held
    {
        ScreenshotJob job;
        quint64 change;
        QString folder;
    };
    QList<Held> m_held;
    QTimer m_trim; // memory goes back to the system once a burst is over
    // The window each change taken up came from, until it is filed.
    QHash<quint64, PictureSource> m_sources;
};
