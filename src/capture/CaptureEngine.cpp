#include "CaptureEngine.h"

#include "CaptureSounds.h"
#include "CaptureWorker.h"
#include "ScreenshotWriter.h"
#include "core/AppState.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardOffer.h"
#include "platform/ClipboardWriter.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"

#include <cerrno>

namespace {

constexpr int quietMsBeforeRelease = 1000;

// The program's own error number for a picture its program did not send whole.
constexpr int transferError = 482;

} // namespace

CaptureEngine::CaptureEngine(AppState& state, Services& services, CaptureWorker& worker)
    : m_state(state)
    , m_services(services)
    , m_worker(worker)
{
    m_release.setSingleShot(true);
    m_release.setInterval(quietMsBeforeRelease);
    connect(&m_release, &QTimer::timeout, this, [this] { m_worker.release(); });
    connect(&m_window, &WindowCapture::told, this, &CaptureEngine::told);
    connect(&m_services.clipboard, &Clipboard::changed, this, [this] { check(); });
    connect(&m_services.clipboard, &Clipboard::arrived, this, &CaptureEngine::arrived);
}

void CaptureEngine::check(bool ownPicture)
{
    Clipboard& clipboard = m_services.clipboard;
    if (m_state.capturePaused)
        return;
    const quint64 change = clipboard.changeCount();
    if (ownPicture && m_taken != change && clipboard.hasImage()) {
        // The tick's own picture, with its suffix: it arrives like any other.
        PlayCaptureSound(m_state, m_services);
        m_own = jobNow(change);
    }
    // A picture handed over by a program that has gone since is still the one to file: its
    // leaving copied nothing new.
    if (!m_failure || m_failure->change != clipboard.contentChange())
        return;
    const QString folder = m_state.currentImageSet.isEmpty() ? QString() : CurrentImageSetFolder(m_state);
    if (!mayRetry(folder))
        return;
    m_retryAsked = false;
    if (folder.isEmpty())
        return;
    // Filed from what arrived, as of when it was copied.
    Failure again = *std::exchange(m_failure, std::nullopt);
    PlayCaptureSound(m_state, m_services);
    ScreenshotJob job = ScreenshotJobFor(m_state, std::move(again.job.picture), again.job.when);
    job.suffix = again.job.suffix;
    job.title = again.job.title;
    // Filed now, it may come back after its clearing like any other.
    m_lastChange = again.change;
    m_queue.append({std::move(job), again.change, false, 0, again.source});
    pump();
}

void CaptureEngine::arrived(const ClipboardPicture& picture)
{
    if (m_state.capturePaused || (m_taken && picture.change <= *m_taken))
        return;
    m_taken = picture.change;
    if (m_discard && picture.change == *std::exchange(m_discard, std::nullopt)) {
        // There before the program started: no screenshot of this run, unless the last run was
        // killed while writing it, which the recovery at start tells.
        if (m_startRecovery == StartRecovery::Running)
            m_presentAtStart = picture;
        else if (m_startRecovery == StartRecovery::Cut)
            take(picture);
        else
            m_services.clipboard.clearIfStill(picture.change);
        return;
    }
    take(picture);
}

void CaptureEngine::take(const ClipboardPicture& picture)
{
    if (!picture.failure.isEmpty()) {
        tellOnce(picture.change, Outcome::failed(transferError, picture.failure));
        return;
    }
    // The same picture straight after the program's own copy is that copy taken over by a
    // clipboard manager, unless its pixels say otherwise. It stands for the copy from then on,
    // so that the copy taken over again is known as well.
    const quint64 mayBeOwn =
        m_ownCopy && picture.follows == m_ownCopy->change && !m_ownCopy->picture.isEmpty() ? m_ownCopy->made
                                                                                           : 0;
    if (mayBeOwn)
        m_ownCopy->change = picture.change;
    const bool ownPicture = m_own && m_own->change == picture.change;
    Own arriving = ownPicture ? std::move(*m_own) : jobNow(picture.change);
    m_own.reset();
    ScreenshotJob& job = arriving.job;
    job.picture = picture;
    if (mayBeOwn)
        job.ownFile = m_ownCopy->picture;
    if (m_state.currentImageSet.isEmpty()) {
        if (!mayBeOwn) {
            refuse(picture.change, job, arriving.source);
            return;
        }
        // Only looked at: what the user copied out of the library stays on the clipboard; a
        // picture of the user's waits for an Image Set as any other does.
        job.folder.clear();
        m_queue.append({std::move(job), picture.change, false, mayBeOwn, arriving.source});
        pump();
        return;
    }
    const bool mayBeBack = !ownPicture && m_lastChange && picture.follows == *m_lastChange;
    // A picture that may be one kept already sounds once it is filed, if it is.
    if (!ownPicture && !mayBeBack && !mayBeOwn)
        PlayCaptureSound(m_state, m_services);
    m_failure.reset();
    m_lastChange = picture.change;
    m_queue.append({std::move(job), picture.change, mayBeBack, mayBeOwn, arriving.source});
    pump();
}

void CaptureEngine::refuse(quint64 change, const ScreenshotJob& job, const PictureSource& source)
{
    // The picture stays on the clipboard until an Image Set is shown.
    failed(change, job,
           Outcome::refused(QStringLiteral("Please select an image set first.  The picture stays on the "
                                           "clipboard until an image set is shown.")),
           source);
}

CaptureEngine::Own CaptureEngine::jobNow(quint64 change)
{
    // The window the picture came from is the one active when it is known.
    Own own{change, ScreenshotJobFor(m_state, {}, m_services.clock.now()),
            m_services.windowSource.activeWindow()};
    if (m_state.settings.writeWindowTitle)
        own.job.title = own.source.title;
    return own;
}

void CaptureEngine::pump()
{
    // A picture that may be the last one back waits until the worker has said what that one
    // was; everything behind it waits too, so that pictures are filed in copy order.
    while (!m_queue.isEmpty() && !(m_queue.first().mayBeBack && m_pending > 0)) {
        Queued next = m_queue.takeFirst();
        if (next.mayBeBack)
            next.job.restoredPixels = m_lastPixels;
        hand(std::move(next));
    }
    if (m_pending == 0 && m_queue.isEmpty())
        m_release.start();
}

void CaptureEngine::hand(Queued queued)
{
    ++m_pending;
    m_release.stop();
    ScreenshotJob job = queued.job;
    m_worker.file(std::move(job), this, [this, queued = std::move(queued)](const ScreenshotResult& result) {
        finished(queued, result);
    });
}

void CaptureEngine::finished(const Queued& queued, const ScreenshotResult& result)
{
    --m_pending;
    // A picture that stood for the program's own copy and is not that copy is the user's: what
    // follows it is no takeover of the copy.
    if (queued.mayBeOwn && !result.restored && m_ownCopy && m_ownCopy->made == queued.mayBeOwn)
        m_ownCopy.reset();
    if (result.restored) {
        // Left where it is, so that a clipboard manager has nothing to put back again.
        if (!queued.job.folder.isEmpty())
            m_lastPixels = result.pixels;
        if (!queued.mayBeOwn)
            emit noted(QStringLiteral(
                "The picture put back on the clipboard was filed already; it was not filed again."));
    } else if (queued.job.folder.isEmpty()) {
        refuse(queued.change, queued.job, queued.source);
    } else if (!result.outcome.done()) {
        m_lastPixels.reset();
        failed(queued.change, queued.job, result.outcome, queued.source);
    } else {
        m_lastPixels = result.pixels;
        if (queued.mayBeBack || queued.mayBeOwn)
            PlayCaptureSound(m_state, m_services);
        m_services.clipboard.clearIfStill(queued.change);
        emit filed(result.path, queued.source, result.thumbnail);
    }
    pump();
}

void CaptureEngine::failed(quint64 change, const ScreenshotJob& job, const Outcome& outcome,
                           const PictureSource& source)
{
    m_failure = Failure{change, job, source, outcome, FolderTakesFiles(job.folder), FreeBytes(job.folder)};
    tellOnce(change, outcome);
}

bool CaptureEngine::mayRetry(const QString& folder) const
{
    if (m_retryAsked || folder != m_failure->job.folder)
        return true;
    if (folder.isEmpty())
        return false;
    // Looked at every tick while the picture waits: only what costs no more than a look.
    switch (m_failure->outcome.error) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOENT:
    case ENOTDIR:
        return !m_failure->tookFiles && FolderTakesFiles(folder);
    case ENOSPC:
    case EDQUOT:
        return FreeBytes(folder) > m_failure->freeBytes;
    default:
        return false;
    }
}

void CaptureEngine::recoverAtStart(const QString& libraryRoot)
{
    m_startRecovery = StartRecovery::Running;
    m_worker.recover(libraryRoot, this, [this](const RecoveredScreenshots& found) {
        m_startRecovery = found.cut ? StartRecovery::Cut : StartRecovery::None;
        for (const QString& path : found.files)
            emit recovered(path);
        if (std::optional<ClipboardPicture> present = std::exchange(m_presentAtStart, std::nullopt)) {
            if (found.cut)
                take(*present);
            else
                m_services.clipboard.clearIfStill(present->change);
        }
    });
}

bool CaptureEngine::copy(ClipboardOffer* offer)
{
    const QString picture = offer->picture();
    const quint64 change = m_services.clipboardWriter.offer(offer);
    if (change == 0)
        return false;
    m_ownCopy = OwnCopy{change, change, picture};
    return true;
}

void CaptureEngine::retry()
{
    m_retryAsked = true;
    check();
}

void CaptureEngine::passOverPresent()
{
    m_taken = m_services.clipboard.changeCount();
    m_failure.reset();
    m_discard.reset();
    m_presentAtStart.reset();
    m_own.reset();
}

void CaptureEngine::discardPresent()
{
    m_discard = m_services.clipboard.changeCount();
}

void CaptureEngine::tellOnce(quint64 change, const Outcome& outcome)
{
    if (m_told == change)
        return;
    m_told = change;
    emit told(outcome);
}
