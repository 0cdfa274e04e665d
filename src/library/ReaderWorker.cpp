#include "ReaderWorker.h"

#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

namespace {

// How long a capture holds reading: no picture is begun, and one being read waits.
constexpr std::chrono::milliseconds holdForCapture(2000);
// Idle this long, the reader hands its memory back.
constexpr std::chrono::seconds restAfter(5);
// How much of a picture is read between two looks at a stop.
constexpr qint64 readPiece = 4 * 1024 * 1024;

} // namespace

ReaderWorker::ReaderWorker(TextReader& reader)
    : m_reader(reader)
{
    m_indexSide.moveToThread(&m_indexThread);
    m_readerSide.moveToThread(&m_readerThread);
}

ReaderWorker::~ReaderWorker()
{
    stop();
}

void ReaderWorker::onIndex(std::function<void()> call, bool alsoStopping)
{
    // Before the start the index is not known; after the stop it is gone.
    if (!m_indexThread.isRunning())
        return;
    QMetaObject::invokeMethod(
        &m_indexSide,
        [this, alsoStopping, call = std::move(call)] {
            if (alsoStopping || !m_stopping)
                call();
        },
        Qt::QueuedConnection);
}

void ReaderWorker::onReader(std::function<void()> call)
{
    QMetaObject::invokeMethod(&m_readerSide, std::move(call), Qt::QueuedConnection);
}

void ReaderWorker::start(const QString& root, const QString& file, const QStringList& languages)
{
    if (m_indexThread.isRunning())
        return;
    m_root = root;
    m_file = file;
    m_languages = languages;
    // Not at a low priority itself: the reader keeps to its own (the program's reads in a
    // process of its own), and a stop or a hold is to be seen at once, however busy the machine
    // is.
    m_readerThread.start();
    m_indexThread.start();
    // Also when stopped at once: captures entered on the way out need the index.
    onIndex(
        [this, languages, programs = m_unreadPrograms] {
            m_index.emplace(m_root, m_file);
            if (!programs.isEmpty())
                wrote(m_index->setUnreadPrograms(programs));
            // The walk opens the index.
            wrote(m_index->sync(m_leaving));
            useLanguages(languages);
            schedule();
        },
        true);
}

void ReaderWorker::stop()
{
    if (!m_indexThread.isRunning())
        return;
    m_stopping = true;
    m_control.setStopping(true);
    m_leaving = true;
    // Captures waiting to be entered are entered on the way out.
    onIndex(
        [this] {
            m_leaveAfterReading = m_reading.has_value();
            if (!m_leaveAfterReading)
                leave();
        },
        true);
    m_indexThread.wait();
    m_readerThread.wait();
}

void ReaderWorker::leave()
{
    m_index.reset();
    onReader([this] {
        m_reader.rest();
        QThread::currentThread()->quit();
    });
    QThread::currentThread()->quit();
}

void ReaderWorker::record(const QString& path, const PictureSource& source)
{
    onIndex(
        [this, path, source] {
            if (!m_blocked)
                wrote(m_index->record(path, source));
            // An older picture can take a minute on a busy machine: it is read again later.
            if (m_reading && m_reading->haste == ReadingHaste::Library)
                m_control.setGivingWay(true);
            schedule();
        },
        true);
}

void ReaderWorker::sync()
{
    onIndex([this] {
        // A walk is the moment to try writing again after a failure.
        m_blocked = false;
        wrote(m_index->sync(m_leaving));
        schedule();
    });
}

void ReaderWorker::refreshFiles(const QStringList& paths)
{
    onIndex([this, paths] {
        for (const QString& path : paths)
            if (!m_blocked)
                wrote(m_index->refresh(path));
        schedule();
    });
}

void ReaderWorker::setLanguages(const QStringList& languages)
{
    if (languages == m_languages)
        return;
    m_languages = languages;
    onIndex([this, languages] {
        // New languages wait for the picture being read.
        if (m_reading)
            m_newLanguages = languages;
        else
            useLanguages(languages);
        schedule();
    });
}

void ReaderWorker::useLanguages(const QStringList& languages)
{
    // Queued before any picture read in them.
    onReader([this, languages] { m_reader.setLanguages(languages); });
    m_unavailable = false;
    if (!m_blocked)
        wrote(m_index->setLanguages(languages.join(QLatin1Char('+'))));
}

void ReaderWorker::setUnreadPrograms(const QStringList& programs)
{
    if (programs == m_unreadPrograms)
        return;
    m_unreadPrograms = programs;
    onIndex([this, programs] {
        wrote(m_index->setUnreadPrograms(programs));
        schedule();
    });
}

void ReaderWorker::forget()
{
    onIndex([this] {
        if (m_reading)
            m_reading->forgotten = true;
        wrote(m_index->forget());
        schedule();
    });
}

void ReaderWorker::setPaused(bool paused)
{
    m_paused = paused;
    if (!m_stopping)
        m_control.setStopping(paused);
    onIndex([this] { schedule(); });
}

void ReaderWorker::holdOff()
{
    m_control.holdFor(holdForCapture);
    m_reader.holdNow();
}

void ReaderWorker::tell(IndexProgress progress)
{
    if (progress == m_told)
        return;
    m_told = progress;
    QMetaObject::invokeMethod(
        this,
        [this, progress] {
            m_progress = progress;
            emit progressed(progress.read, progress.total);
        },
        Qt::QueuedConnection);
}

void ReaderWorker::wrote(bool written)
{
    if (written) {
        emit changed();
        tell(m_index->progress());
        return;
    }
    m_blocked = true;
    if (!m_toldBlocked) {
        m_toldBlocked = true;
        emit problem(QCoreApplication::translate(
                         "ReaderWorker", "The words read from screenshots cannot be saved in %1: the disk "
                                         "is full or cannot be written.  Find goes on with what was saved "
                                         "before.")
                         .arg(IndexFolder()));
    }
}

void ReaderWorker::schedule()
{
    if (m_reading || m_stopping)
        return;
    if (m_paused || m_blocked || m_unavailable) {
        rest();
        return;
    }
    if (m_control.held()) {
        QTimer::singleShot(std::chrono::ceil<std::chrono::milliseconds>(m_control.heldUntil() -
                                                                        ReadingControl::Clock::now()),
                           &m_indexSide, [this] { schedule(); });
        return;
    }
    if (beginNext()) {
        // A file entered again instead of read: the next after the calls that came meanwhile.
        if (!m_reading)
            onIndex([this] { schedule(); });
        return;
    }
    QTimer::singleShot(restAfter, &m_indexSide, [this, turn = m_turn] {
        if (turn == m_turn && !m_reading)
            rest();
    });
}

void ReaderWorker::rest()
{
    if (m_rested)
        return;
    m_rested = true;
    onReader([this] { m_reader.rest(); });
}

bool ReaderWorker::beginNext()
{
    const std::optional<WaitingPicture> next = m_index->nextWaiting();
    if (!next) {
        // Pictures given up on the way were marked without a word.
        tell(m_index->progress());
        return false;
    }
    QFile file;
    if (!OpenRegularFile(file, next->path)) {
        wrote(m_index->refresh(next->path));
        return true;
    }
    if (file.size() > LargestPictureFile) {
        wrote(m_index->store(next->id, {TextReading::Kind::Unreadable, {}, {}}));
        return true;
    }
    QByteArray bytes;
    // In pieces, so a stop is seen within a large file.
    while (!file.atEnd() && !m_leaving) {
        const QByteArray piece = file.read(readPiece);
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    file.close();
    if (m_leaving)
        return true;
    // Changed since the walk: a picture of its own now.
    if (PictureHash(bytes) != next->hash) {
        wrote(m_index->refresh(next->path));
        return true;
    }
    if (!m_index->beginReading(next->id)) {
        wrote(false);
        return true;
    }
    const ReadingHaste haste = next->captured ? ReadingHaste::Capture : ReadingHaste::Library;
    m_reading = Reading{next->id, haste};
    m_rested = false;
    ++m_turn;
    m_control.setGivingWay(false);
    onReader([this, id = next->id, bytes, haste] {
        const TextReading result = m_reader.read(bytes, m_control, haste);
        onIndex([this, id, result] { finish(id, result); }, true);
    });
    return true;
}

void ReaderWorker::finish(qint64 id, const TextReading& result)
{
    const TextReading reading =
        m_reading->forgotten ? TextReading{TextReading::Kind::Stopped, {}, {}} : result;
    m_reading.reset();
    if (reading.kind == TextReading::Kind::Unavailable) {
        m_unavailable = true;
        if (!m_toldUnavailable) {
            m_toldUnavailable = true;
            emit problem(reading.text);
        }
    }
    wrote(m_index->store(id, reading));
    if (m_leaveAfterReading) {
        leave();
        return;
    }
    if (m_newLanguages)
        useLanguages(*std::exchange(m_newLanguages, std::nullopt));
    schedule();
}
