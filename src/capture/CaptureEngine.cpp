#include "CaptureEngine.h"

#include "CaptureSounds.h"
#include "CaptureWorker.h"
#include "ScreenshotWriter.h"
#include "core/AppState.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FreedMemory.h"
#include "platform/Services.h"

namespace {

// A clipboard manager puts a picture back within moments of its clearing; a person copying
// the same picture again takes longer.
constexpr qint64 restoreWindowMs = 500;
constexpr int quietMsBeforeTrim = 1000;

} // namespace

CaptureEngine::CaptureEngine(AppState& state, Services& services, CaptureWorker& worker)
    : m_state(state)
    , m_services(services)
    , m_worker(worker)
{
    m_trim.setSingleShot(true);
    m_trim.setInterval(quietMsBeforeTrim);
    connect(&m_trim, &QTimer::timeout, this, [] { TrimHeap(); });
    // Queued: a picture the tick itself put there is taken up by the tick, with its suffix.
    connect(
        &m_services.clipboard, &Clipboard::changed, this, [this] { check(); }, Qt::QueuedConnection);
}

void CaptureEngine::check(bool ownPicture)
{
    Clipboard& clipboard = m_services.clipboard;
    if (m_state.capturePaused || !clipboard.hasImage())
        return;
    const quint64 change = clipboard.changeCount();
    const QString folder = m_state.currentImageSet.isEmpty() ? QString() : CurrentImageSetFolder(m_state);
    if (m_taken == change && !(m_retry && m_takenFolder != folder))
        return;
    m_taken = change;
    m_takenFolder = folder;
    m_retry = false;
    if (folder.isEmpty()) {
        // The picture stays on the clipboard until an Image Set is shown.
        tellOnce(
            change, folder,
            Outcome::refused(QStringLiteral("Please select an image set first.  The picture stays on the "
                                            "clipboard until an image set is shown.")));
        return;
    }
    PlayCaptureSound(m_state, m_services);
    ClipboardPicture picture = clipboard.fetch();
    m_taken = picture.change;
    const PictureSource source = m_services.windowSource.activeWindow();
    m_sources.insert(picture.change, source);
    const QDateTime now = m_services.clock.now();
    const bool mayBeBack =
        !ownPicture && m_lastMoment.isValid() && m_lastMoment.msecsTo(now) < restoreWindowMs;
    m_lastMoment = now;
    ScreenshotJob job = ScreenshotJobFor(m_state, std::move(picture), now);
    if (m_state.settings.writeWindowTitle)
        job.title = source.title;
    if (mayBeBack && m_pending > 0) {
        m_held.append({std::move(job), *m_taken, folder});
        return;
    }
    if (mayBeBack)
        job.restoredPixels = m_filedPixels;
    hand(std::move(job), *m_taken, folder);
}

void CaptureEngine::hand(ScreenshotJob job, quint64 change, const QString& folder)
{
    ++m_pending;
    m_trim.stop();
    m_worker.file(std::move(job), [this, change, folder](const ScreenshotResult& result) {
        finished(change, folder, result);
    });
}

void CaptureEngine::finished(quint64 change, const QString& folder, const ScreenshotResult& result)
{
    --m_pending;
    const PictureSource source = m_sources.take(change);
    // A picture put back by a clipboard manager is left where it is, so the manager has
    // nothing to put back again.
    if (!result.restored && !result.outcome.done()) {
        tellOnce(change, folder, result.outcome);
    } else if (!result.restored) {
        m_filedPixels = result.pixels;
        m_services.clipboard.clearIfStill(change);
        m_lastMoment = m_services.clock.now();
        emit filed(result.path, source);
    }
    if (m_pending == 0 && !m_held.isEmpty()) {
        Held next = m_held.takeFirst();
        next.job.restoredPixels = m_filedPixels;
        hand(std::move(next.job), next.change, next.folder);
    }
    if (m_pending == 0)
        m_trim.start();
}

void CaptureEngine::passOverPresent()
{
    m_taken = m_services.clipboard.changeCount();
    m_takenFolder.clear();
    m_retry = false;
}

void CaptureEngine::tellOnce(quint64 change, const QString& folder, const Outcome& outcome)
{
    // The picture stays on the clipboard; it is tried again when another Image Set is shown.
    if (m_taken == change && m_takenFolder == folder)
        m_retry = true;
    emit told(outcome);
}
