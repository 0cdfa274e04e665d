#pragma once

#include "TextIndex.h"
#include "platform/ActiveWindowSource.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

class QThread;
class TextReader;

/// Reads the words of the library's pictures into its text index on a thread of its own at the
/// lowest priority, one picture at a time: new captures first, then the rest newest first. It
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
    void setPaused(bool paused);
    /// A capture is on its way: no picture is begun for a moment.
    void holdOff();
    void setLanguages(const QStringList& languages);

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
        enum class Kind { Sync, Record, Languages } kind;
        QString path;
        PictureSource source;
        QStringList languages;
    };

    void run();
    void carryOut(TextIndex& index, const Command& command);
    /// Reads one waiting picture; false when none waits.
    bool readNext(TextIndex& index);
    void wrote(TextIndex& index, bool written);
    void tell(IndexProgress progress);
    void post(Command command);

    TextReader& m_reader;
    QString m_root;
    QString m_file;
    QStringList m_languages;
    QThread* m_thread = nullptr;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Command> m_commands;
    bool m_stopping = false;
    bool m_paused = false;
    std::chrono::steady_clock::time_point m_holdUntil;
    std::atomic_bool m_giveUp = false; // the picture being read is to be given up
    IndexProgress m_progress;

    // The reading thread's own.
    bool m_blocked = false;     // the index cannot be written
    bool m_unavailable = false; // the reader cannot read
    bool m_toldBlocked = false;
    bool m_toldUnavailable = false;
};
