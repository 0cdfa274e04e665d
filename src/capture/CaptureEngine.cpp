#include "CaptureEngine.h"

#include "CaptureSounds.h"
#include "CaptureWorker.h"
#include "ScreenshotWriter.h"
#include "SpoolTicket.h"
#include "core/AppState.h"
#include "platform/Clipboard.h"
#include "platform/ClipboardOffer.h"
#include "platform/ClipboardWriter.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cerrno>

namespace {

constexpr int quietMsBeforeRelease = 1000;

// The program's own error number for a picture its program did not send whole.
constexpr int transferError = 482;

// A tool that saves its screenshot into the Image Set and copies it too does both within this
// time, however busy the machine.
constexpr int arrivalSeconds = 5;
constexpr qsizetype arrivalsCompared = 8;

// What the user is told of a picture that came while no Image Set was shown: one from the
// clipboard stays there meanwhile, a window's waits in the program.
Outcome noImageSet(bool fromClipboard)
{
    return Outcome::refused(
        fromClipboard ? QCoreApplication::translate("CaptureEngine",
                                                    "Please select an image set first.  The picture stays "
                                                    "on the clipboard until an image set is shown.")
                      : QCoreApplication::translate("CaptureEngine",
                                                    "Please select an image set first.  The picture is "
                                                    "kept until an image set is shown."));
}

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
    connect(this, &CaptureEngine::pausedChanged, this, [this](bool paused) { m_spool.catching(!paused); });
    connect(&m_window, &WindowCapture::grabbed, this, &CaptureEngine::grabbed);
    connect(&m_services.clipboard, &Clipboard::changed, this, &CaptureEngine::check);
    connect(&m_services.clipboard, &Clipboard::arrived, this, &CaptureEngine::arrived);
}

void CaptureEngine::check()
{
    if (m_state.capturePaused || !m_failure)
        return;
    const QString folder = m_state.currentImageSet.isEmpty() ? QString() : CurrentImageSetFolder(m_state);
    if (!mayRetry(folder))
        return;
    m_retryAsked = false;
    if (folder.isEmpty())
        return;
    // Filed from what arrived, as of when it came, into the Image Set shown now. The picture is
    // kept in memory meanwhile: whatever was copied since, it is not lost.
    Queued again = std::exchange(m_failure, std::nullopt)->picture;
    ScreenshotJob job =
        ScreenshotJobFor(m_state, std::move(again.job.picture), again.job.when, again.job.suffix);
    job.title = again.job.title;
    job.spooled = again.job.spooled;
    job.spoolFile = again.job.spoolFile;
    again.job = std::move(job);
    again.mayBeBack = false;
    again.mayBeOwn = 0;
    again.again = true;
    m_queue.append(std::move(again));
    pump();
}

CaptureEngine::~CaptureEngine()
{
    m_services.clipboard.catchWith({});
}

void CaptureEngine::arrived(const ClipboardPicture& picture)
{
    if (m_state.capturePaused || (m_taken && picture.change <= *m_taken)) {
        m_spool.release(picture.caught);
        return;
    }
    m_taken = picture.change;
    if (m_discard && picture.change == *std::exchange(m_discard, std::nullopt)) {
        // There before the program started: no screenshot of this run, unless the last run was
        // killed, which the recovery at start tells.
        if (m_startRecovery == StartRecovery::Running)
            m_presentAtStart = Present{picture, m_services.clock.now()};
        else if (m_startRecovery == StartRecovery::Killed)
            take(picture, true);
        else
            discard(picture);
        return;
    }
    take(picture);
}

CaptureEngine::Queued CaptureEngine::arriving(quint64 change, ClipboardPicture picture, const QString& suffix)
{
    // The window the picture came from is the one active when it arrives.
    Queued queued;
    queued.job = ScreenshotJobFor(m_state, std::move(picture), m_services.clock.now(), suffix);
    queued.change = change;
    queued.source = m_services.windowSource.activeWindow();
    if (m_state.settings.writeWindowTitle)
        queued.job.title = queued.source.title;
    return queued;
}

void CaptureEngine::take(const ClipboardPicture& picture, bool presentAtStart, const QDateTime& since)
{
    if (!picture.failure.isEmpty()) {
        emit told(Outcome::failed(transferError, picture.failure));
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
    Queued queued = arriving(picture.change, picture, QString());
    // Named as of when it came, before what came while the recovery ran.
    if (since.isValid())
        queued.job.when = since;
    queued.mayBeOwn = mayBeOwn;
    if (mayBeOwn)
        queued.job.ownFile = m_ownCopy->picture;
    queued.mayBeBack = m_lastChange && picture.follows == *m_lastChange;
    const QDateTime recently = m_services.clock.now().addSecs(-arrivalSeconds);
    m_arrivals.removeIf([&recently](const auto& arrival) { return arrival.second < recently; });
    for (const auto& arrival : std::as_const(m_arrivals))
        queued.job.arrivals.append(arrival.first);
    if (presentAtStart) {
        // Filed unless it is the last picture the killed run had, or its own last copy.
        queued.job.restoredPixels = m_lastBeforeStart;
        queued.job.ownFile = m_spool.lastOwnCopy();
    }
    m_lastChange = picture.change;
    if (m_state.currentImageSet.isEmpty()) {
        // Only looked at: a kept picture copied out of the library, or the last picture back,
        // stays on the clipboard; a picture of the user's waits for an Image Set.
        queued.job.folder.clear();
    } else if (!queued.mayBeBack && !mayBeOwn && queued.job.arrivals.isEmpty()) {
        // A picture that may be one kept already sounds once it is filed, if it is.
        PlayCaptureSound(m_state, m_services, QString());
    }
    queued.job.spooled = m_spool.keep(queued.job, queued.mayBeBack || presentAtStart);
    m_queue.append(std::move(queued));
    pump();
}

void CaptureEngine::grabbed(const QImage& picture, const QString& suffix)
{
    // Straight from the desktop to the worker, in turn with the clipboard's pictures: the
    // clipboard, and what the user copied there, is left as it is.
    PlayCaptureSound(m_state, m_services, suffix);
    Queued queued = arriving(0, ClipboardPicture::grabbed(picture), suffix);
    if (m_state.currentImageSet.isEmpty())
        queued.job.folder.clear();
    queued.job.spooled = m_spool.keep(queued.job, false);
    if (queued.job.folder.isEmpty()) {
        failed(std::move(queued), noImageSet(false));
        return;
    }
    m_queue.append(std::move(queued));
    pump();
}

void CaptureEngine::pump()
{
    // A picture that may be one filed already waits until the worker has said what the ones
    // before it were; everything behind it waits too, so that pictures are filed in the order
    // they came. What a killed run left goes first.
    if (m_startRecovery == StartRecovery::Running)
        return;
    while (!m_queue.isEmpty() && !((m_queue.first().mayBeBack || m_queue.first().again) && m_pending > 0)) {
        Queued next = m_queue.takeFirst();
        if (next.again)
            PlayCaptureSound(m_state, m_services, next.job.suffix);
        if (next.mayBeBack && m_lastPixels)
            next.job.restoredPixels = m_lastPixels->second;
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
    const bool fromClipboard = queued.change != 0;
    // What the next start after a kill compares the picture then on the clipboard with: the
    // last clipboard picture filed, or found kept already (what came after it may be it back).
    if ((queued.recoveredCopy || fromClipboard) && result.pixels &&
        (result.restored || !result.arrived.isEmpty() || !result.path.isEmpty()))
        m_spool.known(queued.job.spooled.get(), *result.pixels);
    if (result.restored && queued.recovered) {
        // Put back before the kill: it was filed then.
    } else if (result.restored) {
        // Left where it is, so that a clipboard manager has nothing to put back again.
        known(queued.change, result.pixels);
        if (!queued.mayBeOwn)
            emit noted(QCoreApplication::translate(
                "CaptureEngine",
                "The picture put back on the clipboard was filed already; it was not filed again."));
    } else if (!result.arrived.isEmpty()) {
        // Left on the clipboard, where the tool put it to be pasted.
        known(queued.change, result.pixels);
        emit noted(QCoreApplication::translate("CaptureEngine",
                                               "The picture on the clipboard is %1 of the Image Set already; "
                                               "it was not filed again.")
                       .arg(QFileInfo(result.arrived).fileName()));
    } else if (queued.job.folder.isEmpty() || !result.outcome.done()) {
        // What was not filed is no picture to know again: nothing is remembered of it.
        Queued waiting = queued;
        waiting.pixels = result.pixels;
        failed(std::move(waiting), queued.job.folder.isEmpty() ? noImageSet(fromClipboard) : result.outcome);
    } else if (queued.recovered) {
        emit recovered(result.path);
    } else {
        if (fromClipboard) {
            // Before the clearing, whose change notice may try the waiting picture again.
            filedMeanwhile(*result.pixels);
            known(queued.change, result.pixels);
            m_services.clipboard.clearIfStill(queued.change);
        }
        if (queued.mayBeBack || queued.mayBeOwn || !queued.job.arrivals.isEmpty())
            PlayCaptureSound(m_state, m_services, queued.job.suffix);
        // Its own file is no other program's, whenever its change notice comes.
        m_arrivals.removeIf([&result](const auto& arrival) { return arrival.first == result.path; });
        m_ownFiles.append(result.path);
        if (m_ownFiles.size() > arrivalsCompared)
            m_ownFiles.removeFirst();
        emit filed(result.path, queued.source, result.thumbnail);
    }
    pump();
}

void CaptureEngine::known(quint64 change, std::optional<size_t> pixels)
{
    // A picture tried again late is not the one the next copy may be back from.
    if (pixels && (!m_lastPixels || m_lastPixels->first <= change))
        m_lastPixels = std::pair(change, *pixels);
}

void CaptureEngine::filedMeanwhile(size_t pixels)
{
    // A clipboard picture waiting after its failure that came again since and is filed now is
    // filed: it is not tried again, nor kept for a start after a kill.
    const auto same = [pixels](const Queued& waiting) {
        return waiting.change != 0 && waiting.pixels == pixels;
    };
    if (m_failure && same(m_failure->picture)) {
        letGo(m_failure->picture);
        m_failure.reset();
    }
    m_queue.removeIf([&](const Queued& waiting) {
        if (!waiting.again || !same(waiting))
            return false;
        letGo(waiting);
        return true;
    });
}

void CaptureEngine::letGo(const Queued& queued)
{
    if (queued.job.spooled)
        queued.job.spooled->done();
}

void CaptureEngine::failed(Queued queued, const Outcome& outcome)
{
    // One picture gives at most one message, however long the failure lasts.
    const bool tell = !std::exchange(queued.told, true);
    const QString folder = queued.job.folder;
    // Only the last picture that could not be filed waits.
    if (m_failure && m_failure->picture.job.spooled != queued.job.spooled)
        letGo(m_failure->picture);
    m_failure = Failure{std::move(queued), outcome};

    if (!folder.isEmpty()) {
        m_failure->tookFiles = FolderTakesFiles(folder);
        m_failure->present = EntryExists(folder);
        m_failure->freeBytes = FreeBytes(folder);
    }
    m_retryAsked = false;
    if (tell)
        emit told(outcome);
}

bool CaptureEngine::mayRetry(const QString& folder) const
{
    if (m_retryAsked || folder != m_failure->picture.job.folder)
        return true;
    // Looked at every tick while the picture waits: only what costs no more than a look.
    if (folder.isEmpty() || !FolderTakesFiles(folder))
        return false;
    switch (m_failure->outcome.error) {
    case ENOSPC:
    case EDQUOT:
        return FreeBytes(folder) > m_failure->freeBytes;
    default:
        // A folder that could not take files, or that was not there (moved away while the
        // picture was written), and can now.
        return !m_failure->tookFiles || EntryExists(folder) != m_failure->present;
    }
}

void CaptureEngine::recoverAtStart(const QString& libraryRoot)
{
    m_startRecovery = StartRecovery::Running;
    m_spool.open(libraryRoot);
    m_spool.catching(!m_state.capturePaused);
    m_services.clipboard.catchWith(m_spool.catcher(m_services.clock));
    m_worker.recover(libraryRoot, m_spool.firstNew(), this,
                     [this](const RecoveredScreenshots& found) { recovering(found); });
}

void CaptureEngine::recovering(const RecoveredScreenshots& found)
{
    m_startRecovery = found.cut || m_spool.lastRunKilled() ? StartRecovery::Killed : StartRecovery::None;
    m_lastBeforeStart = found.lastPixels;
    if (m_startRecovery == StartRecovery::Killed && m_lastBeforeStart && !m_lastPixels)
        m_lastPixels = std::pair(quint64(0), *m_lastBeforeStart);
    for (const QString& path : found.files)
        emit recovered(path);
    // Before whatever came meanwhile, the picture on the clipboard at the start included; what
    // was waiting for an Image Set goes into the one shown.
    QList<Queued> left;
    for (const SpooledScreenshot& spooled : found.spooled) {
        Queued queued;
        queued.job = spooled.job;
        if (queued.job.extension.isEmpty()) {
            // Caught as it arrived and killed on its way: filed as one that came then.
            queued.job = ScreenshotJobFor(m_state, {}, spooled.job.when, QString());
            queued.job.spoolFile = spooled.job.spoolFile;
        }
        if (queued.job.folder.isEmpty() && !m_state.currentImageSet.isEmpty())
            queued.job.folder = CurrentImageSetFolder(m_state);
        queued.job.spooled = m_spool.ticketFor(spooled.id);
        queued.recovered = true;
        queued.recoveredCopy = spooled.copied;
        if (spooled.copied)
            m_spool.followOn(spooled.id);
        left.append(std::move(queued));
    }
    const QList<Queued> meanwhile = std::exchange(m_queue, left);
    if (std::optional<Present> present = std::exchange(m_presentAtStart, std::nullopt)) {
        if (m_startRecovery == StartRecovery::Killed)
            take(present->picture, true, present->since);
        else
            discard(present->picture);
    }
    m_queue += meanwhile;
    pump();
}

bool CaptureEngine::copy(ClipboardOffer* offer)
{
    const QString picture = offer->picture();
    const quint64 change = m_services.clipboardWriter.offer(offer);
    if (change == 0)
        return false;
    m_ownCopy = OwnCopy{change, change, picture};
    m_spool.copied(picture);
    return true;
}

void CaptureEngine::arrivedInImageSet(const QStringList& paths)
{
    const QDateTime now = m_services.clock.now();
    for (const QString& path : paths) {
        if (m_ownFiles.contains(path))
            continue;
        m_arrivals.removeIf([&path](const auto& arrival) { return arrival.first == path; });
        m_arrivals.append({path, now});
        // A folder of pictures copied in is no screenshot tool's file: the newest few are compared.
        if (m_arrivals.size() > arrivalsCompared)
            m_arrivals.removeFirst();
    }
}

void CaptureEngine::retry()
{
    m_retryAsked = true;
    check();
}

void CaptureEngine::passOverPresent()
{
    m_taken = m_services.clipboard.changeCount();
    if (m_failure)
        letGo(m_failure->picture);
    m_failure.reset();
    m_discard.reset();
    if (m_presentAtStart)
        m_spool.release(m_presentAtStart->picture.caught);
    m_presentAtStart.reset();
}

void CaptureEngine::discard(const ClipboardPicture& picture)
{
    m_spool.release(picture.caught);
    m_services.clipboard.clearIfStill(picture.change);
}

void CaptureEngine::discardPresent()
{
    // What follows straight on it may be that picture back.
    m_discard = m_lastChange = m_services.clipboard.changeCount();
}
