#pragma once

#include "ScreenshotWriter.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"

#include <QThreadPool>
#include <memory>

struct SpoolShared;
class SpoolTicket;

/// Keeps each picture on its way to a file in a hidden folder of the library, synced to its
/// disk, until it is filed: a program killed with pictures waiting for the writer files them at
/// its next start. Pictures are written on a thread of its own, beside the writer's work.
class CaptureSpool
{
public:
    CaptureSpool();
    ~CaptureSpool();

    /// Keeps pictures in the library at \a libraryRoot from now on; the pictures a run before
    /// left there are numbered below firstNew().
    void open(const QString& libraryRoot);
    quint64 firstNew() const { return m_firstNew; }
    /// The run before did not end as a program ends: it was killed, or the machine stopped.
    bool lastRunKilled() const { return m_lastRunKilled; }
    /// The kept picture the run before copied out last; empty when none.
    QString lastOwnCopy() const { return m_lastOwnCopy; }

    /// Keeps each clipboard picture in the spool as soon as it is read, for the clipboard's
    /// reader thread: a kill before the picture is taken up loses nothing. Uses \a clock.
    Clipboard::Catcher catcher(Clock& clock);
    /// Whether pictures are kept as they are read: not while capture is paused, so that what the
    /// user copies then never reaches the disk, nor a start after a kill.
    void catching(bool on);
    /// The picture caught as \a caught is not taken up: it is no screenshot.
    void release(quint64 caught);
    /// Writes the picture of \a job into the spool (its header alone when it was caught); the
    /// ticket its job carries to the writer. \a mayBeBack: nothing else was copied since the
    /// clipboard picture before it. None while no spool is open.
    std::shared_ptr<SpoolTicket> keep(const ScreenshotJob& job, bool mayBeBack);
    /// The ticket of picture \a id that a run before left in the spool.
    std::shared_ptr<SpoolTicket> ticketFor(quint64 id);
    /// The clipboard picture a run before left in the spool as \a id is the last one copied:
    /// the next may be that one back.
    void followOn(quint64 id)
    {
        // Unless a picture filed after it was the last the run before had.
        if (id > m_lastKnown)
            m_lastCopy = id;
    }
    /// The clipboard picture of \a ticket is filed, as \a pixels: when it came after the one
    /// filed before, a picture left in the spool that may be that one back is compared with it
    /// at the next start.
    void known(const SpoolTicket* ticket, size_t pixels);
    /// The program copied the kept picture \a picture out (empty: files or words): a clipboard
    /// manager may hold it still when the program starts again after a kill.
    void copied(const QString& picture);

private:
    // The folder and its running mark, made with the first picture: a library the program
    // captured nothing into stays as it was.
    bool made();

    std::shared_ptr<SpoolShared> m_shared;
    quint64 m_firstNew = 1;
    bool m_lastRunKilled = false;
    bool m_made = false;
    QString m_lastOwnCopy;
    quint64 m_lastCopy = 0;  // the last clipboard picture kept
    quint64 m_lastKnown = 0; // the newest clipboard picture filed
    QThreadPool m_pool;
};

/// The pictures a run killed before \a firstNew left in the spool of the library at
/// \a libraryRoot, in the order they came, each as the job it had (its picture read from the
/// spool when it is filed); those filed before the kill, and what is not whole, are removed.
/// \a lastPixels gets the pixels of the last clipboard picture it had, filed or left.
QList<SpooledScreenshot> LeftInSpool(const QString& libraryRoot, quint64 firstNew,
                                     std::optional<size_t>& lastPixels);

/// The picture kept in the spool file \a path; a null one when it cannot be read.
ClipboardPicture ReadSpooledPicture(const QString& path);
