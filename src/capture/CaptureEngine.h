#pragma once

#include "CaptureSpool.h"
#include "ScreenshotWriter.h"
#include "WindowCapture.h"
#include "platform/ActiveWindowSource.h"
#include "platform/Outcome.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

class CaptureWorker;
class ClipboardOffer;
struct AppState;
struct Services;

/// Files every picture into the Image Set shown when it arrives: each new picture on the
/// clipboard, read as soon as it is offered, and each picture of the active window, taken
/// straight from the desktop. One worker files them in the order they came. The clipboard is
/// emptied afterwards only while it still holds the picture filed; a window's picture never
/// touches the clipboard. The same pixels coming back with nothing else copied in between (a
/// clipboard manager putting the emptied picture back, or taking over a copy, also after the
/// clipboard was emptied or its owner left) are not filed again, however late they come. Each
/// picture waits in the library's spool until it is filed: a start after a kill files them.
class CaptureEngine final : public QObject
{
    Q_OBJECT

public:
    CaptureEngine(AppState& state, Services& services, CaptureWorker& worker);
    ~CaptureEngine() override;

    /// Files the last picture that could not be filed, kept since, once its cause seems gone:
    /// the Image Set shown changed, or its folder takes files again (it is back, writable, the
    /// disk has room). Run on every change notice and by the tick.
    void check();

    /// Counts the picture on the clipboard now as handled: it stays there unfiled until the
    /// clipboard changes.
    void passOverPresent();

    /// The picture on the clipboard now is no screenshot (it was there before the program
    /// started): it is emptied away once the clipboard says it holds one, and never filed,
    /// unless recoverAtStart finds that the last run was killed: then it may be one that run
    /// never had, and it is filed unless it is the last picture that run had.
    void discardPresent();

    /// Files, before the pictures that come from now on, what captures killed in the middle left
    /// whole in the Image Sets of the library at \a libraryRoot, and removes what they left
    /// half-written; then the pictures a killed run left in the spool, in the order they came,
    /// under the names they would have had. Keeps the pictures in the spool from now on.
    void recoverAtStart(const QString& libraryRoot);

    /// Tries the last picture that could not be filed again now (the user's Refresh).
    void retry();

    /// Puts \a offer (kept pictures, or words) on the clipboard; false when the clipboard
    /// could not be had. The copy is the program's own: it is never filed, nor emptied away,
    /// and neither is the same picture offered again straight after it by a clipboard manager
    /// that takes copies over.
    bool copy(ClipboardOffer* offer);

    /// Another program put the pictures \a paths into the Image Set shown. For a few seconds a
    /// clipboard picture with the pixels of one of them is that file, copied by the tool that
    /// saved it, and is not filed again.
    void arrivedInImageSet(const QStringList& paths);

    /// The active window's pictures, filed here as they come.
    WindowCapture& window() { return m_window; }

signals:
    /// A picture became the file at \a path; \a source is the window active when it arrived,
    /// \a thumbnail a small picture of it where the settings ask for one.
    void filed(const QString& path, const PictureSource& source, const QImage& thumbnail);
    /// A picture a killed run had left complete, or in the spool, became the file at \a path.
    void recovered(const QString& path);
    /// A picture could not be filed, or the active window's picture was not given: what the
    /// user is to be told, once per picture. A refusal (no Image Set shown) is information,
    /// anything else a failure; a done outcome is a word on a picture that was filed.
    void told(const Outcome& outcome);
    /// A copy that was not filed and why, for the status line.
    void noted(const QString& note);
    /// Capturing was paused or resumed (SetCapturePaused).
    void pausedChanged(bool paused);
    /// Time-lapse started or stopped.
    void timeLapseChanged(bool running);

private:
    struct Queued
    {
        ScreenshotJob job;
        quint64 change = 0;           // of the clipboard; 0 for a window's picture
        bool mayBeBack = false;       // nothing else copied since the picture before
        quint64 mayBeOwn = 0;         // the program's own copy of a kept picture it came straight after
        PictureSource source;         // the window active when it arrived
        bool told = false;            // the user knows it could not be filed
        bool again = false;           // tried again after a failure
        std::optional<size_t> pixels; // known once it was read
        bool recovered = false;       // left in the spool by a killed run
        bool recoveredCopy = false;   // and copied to the clipboard then
    };
    struct Failure
    {
        Queued picture;
        Outcome outcome;
        // What the Image Set looked like at the failure: a retry waits until that changed.
        bool tookFiles = false;
        bool present = false;
        qint64 freeBytes = -1;
    };

    Queued arriving(quint64 change, ClipboardPicture picture, const QString& suffix);
    void arrived(const ClipboardPicture& picture);
    void take(const ClipboardPicture& picture, bool presentAtStart = false, const QDateTime& since = {});
    // No screenshot: emptied away, and not kept for a start after a kill.
    void discard(const ClipboardPicture& picture);
    void grabbed(const QImage& picture, const QString& suffix);
    void pump();
    void hand(Queued queued);
    void finished(const Queued& queued, const ScreenshotResult& result);
    void failed(Queued queued, const Outcome& outcome);
    void known(quint64 change, std::optional<size_t> pixels);
    void filedMeanwhile(size_t pixels);
    void letGo(const Queued& queued);
    void recovering(const RecoveredScreenshots& found);
    bool mayRetry(const QString& folder) const;

    AppState& m_state;
    Services& m_services;
    CaptureWorker& m_worker;
    CaptureSpool m_spool;
    std::optional<quint64> m_taken;   // the change of the picture taken up last
    std::optional<quint64> m_discard; // the change that was there at start
    enum class StartRecovery { None, Running, Killed } m_startRecovery = StartRecovery::None;
    std::optional<size_t> m_lastBeforeStart; // the pixels of the last picture the killed run had
    struct Present
    {
        ClipboardPicture picture;
        QDateTime since;
    };
    std::optional<Present> m_presentAtStart; // waiting for the recovery's word
    std::optional<Failure> m_failure;        // the last picture that could not be filed
    bool m_retryAsked = false;
    // The change of the clipboard picture queued last: the next picture following straight on
    // it may be the same one back. The latest change of a clipboard picture the worker filed or
    // found back, and its pixels, to tell.
    std::optional<quint64> m_lastChange;
    std::optional<std::pair<quint64, size_t>> m_lastPixels;
    // The program's own copy of a kept picture (empty for files or words), made by change
    // `made`, and the change that stands for it now: a clipboard manager's takeover, once its
    // pixels are the picture's or while they are not known yet.
    struct OwnCopy
    {
        quint64 made = 0;
        quint64 change = 0;
        QString picture;
    };
    std::optional<OwnCopy> m_ownCopy;
    QList<std::pair<QString, QDateTime>> m_arrivals; // pictures other programs saved, as noticed
    QStringList m_ownFiles;                          // the pictures filed last
    QList<Queued> m_queue; // in the order they came, behind one that must wait for the worker's word
    int m_pending = 0;
    QTimer m_release; // the worker's buffers go back to the system once a burst is over
    WindowCapture m_window{m_state, m_services};
};
