#include "ReaderWorker.h"

#include "platform/FileSystem.h"
#include "platform/TextReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

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
}

ReaderWorker::~ReaderWorker()
{
    stop();
}

void ReaderWorker::start(const QString& root, const QString& file, const QStringList& languages)
{
    if (m_thread)
        return;
    m_root = root;
    m_file = file;
    m_languages = languages;
    // The walk opens the index.
    post({Command::Kind::Sync, {}, {}, {}});
    post({Command::Kind::Languages, {}, {}, languages});
    // Not at a low priority itself: the reader keeps to its own (the program's reads in a
    // process at the lowest), and a stop or a hold is to be seen at once, however busy the
    // machine is.
    m_recognizer = QThread::create([this] { recognize(); });
    m_recognizer->start();
    m_thread = QThread::create([this] { run(); });
    m_thread->start();
}

void ReaderWorker::stop()
{
    if (!m_thread)
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_control.stop = true;
        m_leaving = true;
    }
    m_wake.notify_all();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_quit = true;
    m_jobReady.release();
    m_recognizer->wait();
    delete m_recognizer;
    m_recognizer = nullptr;
}

void ReaderWorker::recognize()
{
    for (;;) {
        m_jobReady.acquire();
        if (m_quit) {
            m_reader.rest();
            return;
        }
        m_job();
        m_handedDone.store(true, std::memory_order_release);
        m_handedDone.notify_all();
        // Not under the lock: the index's thread looks again within a short while anyway.
        m_wake.notify_all();
    }
}

void ReaderWorker::hand(std::function<void()> job)
{
    m_job = std::move(job);
    m_handedDone.store(false, std::memory_order_release);
    m_jobReady.release();
}

void ReaderWorker::handAndWait(std::function<void()> job)
{
    hand(std::move(job));
    m_handedDone.wait(false, std::memory_order_acquire);
}

void ReaderWorker::post(Command command)
{
    {
        const std::lock_guard lock(m_mutex);
        m_commands.push_back(std::move(command));
    }
    m_wake.notify_all();
}

void ReaderWorker::record(const QString& path, const PictureSource& source)
{
    post({Command::Kind::Record, path, source, {}});
}

void ReaderWorker::sync()
{
    post({Command::Kind::Sync, {}, {}, {}});
}

void ReaderWorker::refreshFiles(const QStringList& paths)
{
    post({Command::Kind::Refresh, {}, {}, paths});
}

void ReaderWorker::setLanguages(const QStringList& languages)
{
    if (languages == m_languages)
        return;
    m_languages = languages;
    post({Command::Kind::Languages, {}, {}, languages});
}

void ReaderWorker::setUnreadPrograms(const QStringList& programs)
{
    if (programs == m_unreadPrograms)
        return;
    m_unreadPrograms = programs;
    post({Command::Kind::UnreadPrograms, {}, {}, programs});
}

void ReaderWorker::forget()
{
    post({Command::Kind::Forget, {}, {}, {}});
}

void ReaderWorker::setPaused(bool paused)
{
    {
        const std::lock_guard lock(m_mutex);
        m_paused = paused;
        if (!m_stopping)
            m_control.stop = paused;
    }
    m_wake.notify_all();
}

void ReaderWorker::holdOff()
{
    m_control.holdUntil = ReadingControl::Clock::now() + holdForCapture;
    m_reader.holdNow();
}

IndexProgress ReaderWorker::progress() const
{
    const std::lock_guard lock(m_mutex);
    return m_progress;
}

void ReaderWorker::tell(IndexProgress progress)
{
    {
        const std::lock_guard lock(m_mutex);
        if (progress == m_progress)
            return;
        m_progress = progress;
    }
    emit progressed(progress.read, progress.total);
}

void ReaderWorker::wrote(TextIndex& index, bool written)
{
    if (written) {
        emit changed();
        tell(index.progress());
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

void ReaderWorker::carryOut(TextIndex& index, const Command& command)
{
    switch (command.kind) {
    case Command::Kind::Sync:
        // A walk is the moment to try writing again after a failure.
        m_blocked = false;
        wrote(index, index.sync(m_leaving));
        break;
    case Command::Kind::Record:
        if (!m_blocked)
            wrote(index, index.record(command.path, command.source));
        break;
    case Command::Kind::Refresh:
        for (const QString& path : command.names)
            if (!m_blocked)
                wrote(index, index.refresh(path));
        break;
    case Command::Kind::Languages:
        handAndWait([this, languages = command.names] { m_reader.setLanguages(languages); });
        m_unavailable = false;
        if (!m_blocked)
            wrote(index, index.setLanguages(command.names.join(QLatin1Char('+'))));
        break;
    case Command::Kind::UnreadPrograms:
        wrote(index, index.setUnreadPrograms(command.names));
        break;
    case Command::Kind::Forget:
        if (m_reading)
            m_reading->forgotten = true;
        wrote(index, index.forget());
        break;
    }
}

bool ReaderWorker::beginNext(TextIndex& index)
{
    const std::optional<WaitingPicture> next = index.nextWaiting();
    if (!next) {
        // Pictures given up on the way were marked without a word.
        tell(index.progress());
        return false;
    }
    QFile file;
    if (!OpenRegularFile(file, next->path)) {
        wrote(index, index.refresh(next->path));
        return true;
    }
    if (file.size() > LargestPictureFile) {
        wrote(index, index.store(next->id, {TextReading::Kind::Unreadable, {}, {}}));
        return true;
    }
    Reading reading{next->id, {}, {}};
    // In pieces, so a stop is seen within a large file.
    while (!file.atEnd() && !m_leaving) {
        const QByteArray piece = file.read(readPiece);
        if (piece.isEmpty())
            break;
        reading.bytes += piece;
    }
    file.close();
    if (m_leaving)
        return true;
    // Changed since the walk: a picture of its own now.
    if (PictureHash(reading.bytes) != next->hash) {
        wrote(index, index.refresh(next->path));
        return true;
    }
    if (!index.beginReading(next->id)) {
        wrote(index, false);
        return true;
    }
    m_reading = std::move(reading);
    hand([this] { m_reading->result = m_reader.read(m_reading->bytes, m_control); });
    return true;
}

void ReaderWorker::finish(TextIndex& index)
{
    Reading reading = std::move(*m_reading);
    m_reading.reset();
    if (reading.forgotten)
        reading.result = {TextReading::Kind::Stopped, {}, {}};
    if (reading.result.kind == TextReading::Kind::Unavailable) {
        m_unavailable = true;
        if (!m_toldUnavailable) {
            m_toldUnavailable = true;
            emit problem(reading.result.text);
        }
    }
    wrote(index, index.store(reading.id, reading.result));
}

void ReaderWorker::run()
{
    TextIndex index(m_root, m_file);
    bool rested = true;
    std::unique_lock lock(m_mutex);
    for (;;) {
        // New languages wait for the picture being read.
        if (!m_commands.empty() && !(m_reading && m_commands.front().kind == Command::Kind::Languages)) {
            const Command command = std::move(m_commands.front());
            m_commands.pop_front();
            // Captures waiting to be entered are entered on the way out too.
            if (m_stopping && command.kind != Command::Kind::Record)
                continue;
            lock.unlock();
            carryOut(index, command);
            lock.lock();
            continue;
        }
        if (m_reading) {
            if (handedDone()) {
                lock.unlock();
                finish(index);
                lock.lock();
            } else {
                // The reader's thread wakes this one without the lock, which can be missed.
                m_wake.wait_for(lock, std::chrono::milliseconds(100));
            }
            continue;
        }
        if (m_stopping)
            break;
        if (m_paused || m_blocked || m_unavailable) {
            if (!rested) {
                lock.unlock();
                handAndWait([this] { m_reader.rest(); });
                rested = true;
                lock.lock();
                continue;
            }
            m_wake.wait(lock);
            continue;
        }
        if (const ReadingControl::Clock::time_point until = m_control.holdUntil;
            ReadingControl::Clock::now() < until) {
            m_wake.wait_until(lock, until);
            continue;
        }
        lock.unlock();
        const bool begun = beginNext(index);
        lock.lock();
        if (begun) {
            rested = false;
            continue;
        }
        // A stop or a command that came while the lock was free has woken no one.
        if (m_stopping || !m_commands.empty())
            continue;
        if (rested) {
            m_wake.wait(lock);
        } else if (m_wake.wait_for(lock, restAfter) == std::cv_status::timeout && m_commands.empty()) {
            lock.unlock();
            handAndWait([this] { m_reader.rest(); });
            rested = true;
            lock.lock();
        }
    }
}
