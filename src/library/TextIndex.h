#pragma once

#include "IndexDatabase.h"
#include "platform/ActiveWindowSource.h"
#include "platform/TextReader.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

/// How far reading has come: pictures of the library read (or found unreadable), of all.
struct IndexProgress
{
    int read = 0;
    int total = 0;

    bool operator==(const IndexProgress&) const = default;
};

/// A picture whose words are to be read next.
struct WaitingPicture
{
    qint64 id = 0;
    QString path; ///< one of its files, absolute
    QByteArray hash;
    bool captured = false; ///< a capture, not read yet: wanted soon
};

/// Larger files are no screenshots a reader could take in: they are never read whole.
constexpr qint64 LargestPictureFile = 256 * 1024 * 1024;

/// The hash a picture is known by: of the file's bytes, so a renamed or moved file is the same
/// picture. A file larger than LargestPictureFile is known by its size, its time and its first
/// and last bytes instead. Empty when the file cannot be read, or when \a stop became true
/// on the way.
QByteArray PictureHash(const QString& path, const std::atomic_bool& stop);
QByteArray PictureHash(const QString& path);
QByteArray PictureHash(const QByteArray& bytes);

/// The writing side of a library's text index, used by one thread: which pictures the library
/// holds, which are still to be read, what was read and where each capture came from. Every
/// change is committed at once, so a program killed keeps what it had read.
class TextIndex
{
public:
    /// The index of the library at \a root (ending in "/") in the database \a file.
    TextIndex(QString root, QString file);

    /// Opens the index, made or mended as needed; false when it cannot be written at all. An
    /// index deleted while open is made anew, and filled, by the next walk, record or look for
    /// a picture to read.
    bool open();
    /// Brings the index up to the library's folders: new and changed files are added (a
    /// renamed or moved picture keeps what was read of it), files gone are dropped, and so are
    /// pictures no file shows any more. When \a stop becomes true, what was entered is kept and
    /// the rest is left to the next walk.
    bool sync(const std::atomic_bool& stop);
    bool sync();
    /// The file a capture just became, at \a path, with the window it came from: known at
    /// once, read before the rest.
    bool record(const QString& path, const PictureSource& source);
    /// The next picture to read: captures first, then the newest. A picture whose reading
    /// never finished several times over (it ended the program) is marked unreadable instead.
    std::optional<WaitingPicture> nextWaiting();
    /// Counts an attempt at \a id before it is read, so a picture that ends the program is not
    /// tried for ever.
    bool beginReading(qint64 id);
    /// What reading \a id came to: its words, or that it cannot be read; a reading stopped
    /// or impossible leaves it waiting, the attempt not counted.
    bool store(qint64 id, const TextReading& reading);
    /// The file at \a path (absolute) is not what the index holds any more: entered anew.
    bool refresh(const QString& path);
    /// The languages pictures are read in; when they differ from those the index was read in,
    /// every picture read is read again (its old words found until then).
    bool setLanguages(const QString& languages);

    /// Forgets every word read, at once and out of the file, each picture waiting to be read
    /// again; where the pictures came from is kept.
    bool forget();
    /// The programs (window classes, any case) whose pictures are never read: a picture
    /// captured from one has no words, and those read before are forgotten, out of the file.
    /// A program taken off the list has its pictures read again.
    bool setUnreadPrograms(const QStringList& programs);

    IndexProgress progress() const;
    /// The result code of the last write that failed: the disk is full or the file cannot be
    /// written.
    int failure() const { return m_failure; }

private:
    std::optional<qint64> pictureFor(const QByteArray& hash);
    bool enter(const QString& relative, qint64 size, qint64 modified, const QByteArray& hash);
    /// Gives \a picture the place words of the Categories and Image Sets its files lie in.
    bool placeWords(qint64 picture);
    /// Adds the place words of the file \a relative to those of \a picture.
    bool addPlace(qint64 picture, const QString& relative);
    QString place(qint64 picture) const;
    bool setPlace(qint64 picture, const QStringList& words);
    bool lost() const;
    bool withheld(const QString& program) const;
    /// Brings the pictures withheld in line with the list of programs never read.
    bool withhold();
    bool failed(int result);
    bool commit();
    QString relativePath(const QString& path) const;

    QString m_root;
    QString m_file;
    QString m_languages;
    QStringList m_unreadPrograms;
    std::unique_ptr<IndexDatabase> m_database;
    int m_failure = 0;
};
