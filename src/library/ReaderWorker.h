#pragma once

#include "TextIndex.h"
#include "platform/ActiveWindowSource.h"
#include "platform/ReadingControl.h"
#include "platform/TextReader.h"

#include <QObject>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>
#include <optional>

/// Reads the words of the library's pictures into its text index, one picture at a time: new
/// captures first, then the rest newest first. The index is kept on a thread of its own, fed by
/// queued calls, so captures and walks are entered at once; the reader is called on another,
/// also fed by queued calls, so the index's thread never waits for it. It gives way to capture,
/// rests while paused, and on stopping gives up the picture it is reading, keeping all it has
/// read.
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
    /// Ends the threads: records still waiting are entered, a picture being read is given up.
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
    IndexProgress progress() const { return m_progress; }

signals:
    /// \a read of \a total pictures of the library are read.
    void progressed(int read, int total);
    /// The index holds something new: an answer given before may have changed.
    void changed();
    /// Reading cannot go on: what the user is to be told, once per run and cause.
    void problem(const QString& message);

private:
    // A picture handed to the reader.
    struct Reading
    {
        qint64 id = 0;
        ReadingHaste haste = ReadingHaste::Library;
        bool forgotten = false; // its words are not to be kept
    };

    /// Runs \a call on the index's thread, after the calls before it; none before the start, nor
    /// while stopping unless \a alsoStopping.
    void onIndex(std::function<void()> call, bool alsoStopping = false);
    /// Runs \a call on the reader's thread, after the calls before it.
    void onReader(std::function<void()> call);

    /// Begins the next picture, rests, or looks again once a hold is over, as things stand.
    void schedule();
    /// Hands the next waiting picture to the reader; false when none waits.
    bool beginNext();
    void finish(qint64 id, const TextReading& result);
    void useLanguages(const QStringList& languages);
    void rest();
    /// Ends the index's thread, and the reader's after the calls it still has.
    void leave();
    void wrote(bool written);
    void tell(IndexProgress progress);

    TextReader& m_reader;
    QString m_root;
    QString m_file;
    QStringList m_languages;
    QStringList m_unreadPrograms;
    IndexProgress m_progress;

    // Told from the window's thread, seen on the others at once.
    ReadingControl m_control;            // the picture being read is given up or held
    std::atomic_bool m_leaving = false;  // a walk under way is to end
    std::atomic_bool m_stopping = false; // only captures are still entered
    std::atomic_bool m_paused = false;

    QThread m_indexThread;
    QThread m_readerThread;
    QObject m_indexSide; // the calls for the index's thread are queued to it
    QObject m_readerSide;

    // The index's thread's own.
    std::optional<TextIndex> m_index;
    std::optional<Reading> m_reading;          // handed to the reader, not back yet
    std::optional<QStringList> m_newLanguages; // waiting for the picture being read
    bool m_leaveAfterReading = false;
    bool m_blocked = false;     // the index cannot be written
    bool m_unavailable = false; // the reader cannot read
    bool m_toldBlocked = false;
    bool m_toldUnavailable = false;
    bool m_rested = true;
    int m_turn = 0; // counts the pictures handed, so a rest planned before one is called off
    IndexProgress m_told;
};
