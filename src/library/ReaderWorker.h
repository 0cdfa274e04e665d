#pragma once

#include "TextIndex.h"
#include "platform/ActiveWindowSource.h"
#include "platform/TextReader.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <semaphore>

class QThread;

/// Reads the words of the library's pictures into its text index, one picture at a time: new
/// captures first, then the rest newest first. The index is kept on a thread of its own, so
/// captures and walks are entered at once; the reader is called on another, and keeps to the
/// lowest priority the system has itself, so any other work of the machine goes first. It
/// gives way to capture, rests while paused, and on stopping gives up the picture it is
/// reading, keeping all it has read.
class ReaderWorker final : public QObject
{
    Q_OBJECT

public:
    explicit ReaderWorker(TextReader& reader);
    ~ReaderWorker() override;
    ReaderWorker(const ReaderWorker&) = delete;
    ReaderWorker& operator=(const ReaderWorker&) = delete;

    /// Starts on the library at \a root (ending in "/") with its index in \a file, reading in
    /// \a languages: the index is opened, brought up to the folders, and reading begins.
    void start(const QString& root, const QString& file, const QStringList& languages);
    /// Ends the thread: records still waiting are entered, a picture being read is given up.
    void stop();

    /// The file a capture became at \a path, and the window it came from.
    void record(const QString& path, const PictureSource& source);
    /// Walks the library again, for changes made outside the program.
    void sync();
    /// The files at \a paths came, changed or went, by another program's doing: entered or
    /// dropped without a walk, a new picture waiting to be read.
    void refreshFiles(const QStringList& paths);
    void setPaused(bool paused);
    /// A capture is on its way: reading waits a moment, a picture being read where it is.
    void holdOff();
    void setLanguages(const QStringList& languages);
    /// The programs (window classes) whose pictures are never read; see TextIndex.
    void setUnreadPrograms(const QStringList& programs);
    /// Forgets every word read, a picture being read included; reading goes on unless paused.
    void forget();

    QString root() const { return m_root; }
    QString file() const { return m_file; }
    /// The last progress told.
    IndexProgress progress() const;

signals:
    /// \a read of \a total pictures of the library are read; sent from the reading thread.
    void progressed(int read, int total);
    /// The index holds something new: an answer given before may have changed.
    void changed();
    /// Reading cannot go on: what the user is to be told, once per run and cause.
    void problem(const QString& message);

private:
    struct Command
    {
        enum class Kind { Sync, Record, Refresh, Languages, UnreadPrograms, Forget } kind;
        QString path;
        PictureSource source;
        QStringList names; // languages, programs never read, or files to enter again
    };

    // A picture handed to the reader.
    struct Reading
    {
        qint64 id = 0;
        QByteArray bytes;
        TextReading result;
        bool forgotten = false; // its words are not to be kept
    };

    void run();
    void carryOut(TextIndex& index, const Command& command);
    /// Hands the next waiting picture to the reader; false when none waits.
    bool beginNext(TextIndex& index);
    void finish(TextIndex& index);
    void wrote(TextIndex& index, bool written);
    void tell(IndexProgress progress);
    void post(Command command);

    /// Runs \a job on the reader's thread; returns at once.
    void hand(std::function<void()> job);
    /// Runs \a job on the reader's thread and waits for it.
    void handAndWait(std::function<void()> job);
    bool handedDone() const { return m_handedDone.load(std::memory_order_acquire); }
    void recognize();

    TextReader& m_reader;
    QString m_root;
    QString m_file;
    QStringList m_languages;
    QStringList m_unreadPrograms;
    QThread* m_thread = nullptr;     // keeps the index
    QThread* m_recognizer = nullptr; // calls the reader

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Command> m_commands;
    bool m_stopping = false;
    bool m_paused = false;
    ReadingControl m_control;           // the picture being read is given up or held
    std::atomic_bool m_leaving = false; // a walk under way is to end
    IndexProgress m_progress;

    // Between the index's thread and the reader's: no lock is shared with the reader's thread,
    // which may wait long for the processor while holding it.
    std::binary_semaphore m_jobReady{0};
    std::function<void()> m_job;
    std::atomic_bool m_handedDone = true;
    std::atomic_bool m_quit = false;

    // The index's thread's own.
    std::optional<Reading> m_reading; // handed to the reader, not back yet
    bool m_blocked = false;           // the index cannot be written
    bool m_unavailable = false;       // the reader cannot read
    bool m_toldBlocked = false;
    bool m_toldUnavailable = false;
};
