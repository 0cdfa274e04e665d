#include "TextIndex.h"

#include "FindQuery.h"
#include "LibraryPictures.h"
#include "WordBoxes.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <sqlite3.h>

namespace {

// Withheld: from a program whose pictures are never read; its words are none.
enum State { Waiting = 0, Read = 1, Unreadable = 2, Withheld = 3 };

// Attempts that never came back: the picture ended the program each time.
constexpr int attemptsBeforeGivingUp = 3;
// Files a walk enters per transaction, so a first walk of a large library shows its progress.
constexpr int filesPerTransaction = 500;
// How much of a file is hashed between two looks at a stop.
constexpr qint64 hashPiece = 4 * 1024 * 1024;
// The bytes at either end by which a file too large to be read is known.
constexpr qint64 endBytes = 64 * 1024;

struct KnownFile
{
    qint64 size;
    qint64 modified;
    qint64 picture;
};

} // namespace

QByteArray PictureHash(const QString& path, const std::atomic_bool& stop)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const qint64 size = file.size();
    if (size > LargestPictureFile) {
        const std::optional<FileFacts> facts = ReadFileFacts(path);
        if (!facts)
            return {};
        const QByteArray head = file.read(endBytes);
        if (!file.seek(std::max<qint64>(0, size - endBytes)))
            return {};
        hash.addData(QByteArray::number(size) + ' ' +
                     QByteArray::number(facts->modified.toMSecsSinceEpoch()));
        hash.addData(head);
        hash.addData(file.read(endBytes));
        return hash.result();
    }
    // In pieces, so a stop is seen within a large file.
    QByteArray piece;
    while (!file.atEnd()) {
        if (stop)
            return {};
        piece = file.read(hashPiece);
        if (piece.isEmpty() && file.error() != QFileDevice::NoError)
            return {};
        hash.addData(piece);
    }
    return hash.result();
}

QByteArray PictureHash(const QString& path)
{
    const std::atomic_bool never = false;
    return PictureHash(path, never);
}

QByteArray PictureHash(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

TextIndex::TextIndex(QString root, QString file)
    : m_root(std::move(root))
    , m_file(std::move(file))
{
}

bool TextIndex::open()
{
    m_database = IndexDatabase::openForWriting(m_root, m_file);
    if (!m_database) {
        m_failure = SQLITE_CANTOPEN;
        return false;
    }
    // An index made anew learns what the one before it was told.
    return (m_languages.isEmpty() || setLanguages(m_languages)) && withhold();
}

bool TextIndex::lost() const
{
    // Deleted under the program (by the user, a cleaner), the file would take every word
    // written into it with it, and Find would know nothing new until a restart.
    return m_database && !QFileInfo(m_file).isFile();
}

bool TextIndex::failed(int result)
{
    m_failure = result;
    m_database->exec("ROLLBACK");
    return false;
}

bool TextIndex::commit()
{
    return m_database->exec("COMMIT") || failed(m_database->failure());
}

QString TextIndex::relativePath(const QString& path) const
{
    return path.startsWith(m_root) ? path.mid(m_root.size()) : QString();
}

std::optional<qint64> TextIndex::pictureFor(const QByteArray& hash)
{
    SqlStatement insert =
        m_database->prepare("INSERT INTO pictures(hash) VALUES (?1) ON CONFLICT(hash) DO NOTHING");
    if (!insert.bind(1, hash).run()) {
        failed(insert.result());
        return std::nullopt;
    }
    SqlStatement find = m_database->prepare("SELECT id FROM pictures WHERE hash = ?1");
    if (!find.bind(1, hash).step()) {
        failed(find.result());
        return std::nullopt;
    }
    const qint64 id = find.integer(0);
    SqlStatement words = m_database->prepare("INSERT INTO words(rowid, text, title, program, place) "
                                             "SELECT ?1, '', '', '', '' WHERE NOT EXISTS "
                                             "(SELECT 1 FROM words WHERE rowid = ?1)");
    if (!words.bind(1, id).run()) {
        failed(words.result());
        return std::nullopt;
    }
    return id;
}

bool TextIndex::enter(const QString& relative, qint64 size, qint64 modified, const QByteArray& hash)
{
    const std::optional<qint64> picture = pictureFor(hash);
    if (!picture)
        return false;
    // The picture the file showed before, when its bytes changed: it may lie elsewhere no more.
    SqlStatement before = m_database->prepare("SELECT picture FROM files WHERE path = ?1");
    const qint64 previous = before.bind(1, NativePath(relative)).step() ? before.integer(0) : 0;
    SqlStatement file = m_database->prepare(
        "INSERT INTO files(path, picture, size, modified) VALUES (?1, ?2, ?3, ?4) "
        "ON CONFLICT(path) DO UPDATE SET picture = excluded.picture, size = excluded.size, "
        "modified = excluded.modified");
    file.bind(1, NativePath(relative)).bind(2, *picture).bind(3, size).bind(4, modified);
    if (!file.run())
        return failed(file.result());
    SqlStatement newest = m_database->prepare("UPDATE pictures SET newest = max(newest, ?1) WHERE id = ?2");
    if (!newest.bind(1, modified).bind(2, *picture).run())
        return failed(newest.result());
    return addPlace(*picture, relative) && (previous == 0 || previous == *picture || placeWords(previous));
}

QString TextIndex::place(qint64 picture) const
{
    SqlStatement current = m_database->prepare("SELECT place FROM words WHERE rowid = ?1");
    return current.bind(1, picture).step() ? current.text(0) : QString();
}

bool TextIndex::setPlace(qint64 picture, const QStringList& words)
{
    SqlStatement update = m_database->prepare("UPDATE words SET place = ?1 WHERE rowid = ?2");
    return update.bind(1, words.join(QLatin1Char(' '))).bind(2, picture).run() || failed(update.result());
}

bool TextIndex::addPlace(qint64 picture, const QString& relative)
{
    QStringList words = place(picture).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const qsizetype before = words.size();
    for (const QString& folder : FoldersOf(relative))
        if (!words.contains(PlaceWord(folder)))
            words.append(PlaceWord(folder));
    return words.size() == before || setPlace(picture, words);
}

bool TextIndex::placeWords(qint64 picture)
{
    SqlStatement files = m_database->prepare("SELECT path FROM files WHERE picture = ?1");
    files.bind(1, picture);
    QSet<QString> folders;
    while (files.step())
        for (const QString& folder : FoldersOf(PathFromNative(files.blob(0))))
            folders.insert(folder);
    QStringList words;
    for (const QString& folder : std::as_const(folders))
        words.append(PlaceWord(folder));
    words.sort();
    if (words.join(QLatin1Char(' ')) == place(picture))
        return true;
    return setPlace(picture, words);
}

bool TextIndex::sync(const std::atomic_bool& stop)
{
    if (lost())
        m_database.reset();
    // An index that could not be opened is tried again with each walk.
    if (!m_database && !open())
        return false;
    QHash<QString, KnownFile> known;
    SqlStatement files = m_database->prepare("SELECT path, size, modified, picture FROM files");
    while (files.step())
        known.insert(PathFromNative(files.blob(0)), {files.integer(1), files.integer(2), files.integer(3)});

    const QList<LibraryPicture> pictures = ListLibraryPictures(m_root);
    QSet<QString> seen;
    seen.reserve(pictures.size());
    QList<const LibraryPicture*> changed;
    for (const LibraryPicture& picture : pictures) {
        seen.insert(picture.path);
        const auto found = known.constFind(picture.path);
        if (found == known.cend() || found->size != picture.size || found->modified != picture.modified)
            changed.append(&picture);
    }
    // Oldest first, so new pictures' ids follow their files' times.
    std::stable_sort(changed.begin(), changed.end(), [](const LibraryPicture* a, const LibraryPicture* b) {
        return a->modified < b->modified;
    });
    int entered = 0;
    if (!m_database->exec("BEGIN"))
        return failed(m_database->failure());
    for (const LibraryPicture* picture : std::as_const(changed)) {
        // The rest waits for the next walk.
        if (stop)
            return commit();
        // A file that cannot be read now is looked at again by the next walk.
        const QByteArray hash = PictureHash(m_root + picture->path, stop);
        if (stop)
            return commit();
        if (hash.isEmpty())
            continue;
        if (!enter(picture->path, picture->size, picture->modified, hash))
            return false;
        if (++entered % filesPerTransaction == 0 && !(commit() && m_database->exec("BEGIN")))
            return failed(m_database->failure());
    }
    SqlStatement drop = m_database->prepare("DELETE FROM files WHERE path = ?1");
    QSet<qint64> moved;
    for (auto file = known.cbegin(); file != known.cend(); ++file) {
        if (seen.contains(file.key()))
            continue;
        if (!drop.bind(1, NativePath(file.key())).run())
            return failed(drop.result());
        moved.insert(file->picture);
    }
    for (const qint64 picture : std::as_const(moved))
        if (!placeWords(picture))
            return false;
    if (!m_database->exec("DELETE FROM words WHERE rowid NOT IN (SELECT picture FROM files);"
                          "DELETE FROM boxes WHERE picture IN "
                          "(SELECT id FROM pictures WHERE id NOT IN (SELECT picture FROM files));"
                          "DELETE FROM pictures WHERE id NOT IN (SELECT picture FROM files);"))
        return failed(m_database->failure());
    const bool gone = m_database->changes() > 0;
    if (!commit())
        return false;
    // The words of a picture that left the library leave the file too.
    if (gone)
        m_database->scrub();
    return true;
}

bool TextIndex::sync()
{
    const std::atomic_bool never = false;
    return sync(never);
}

bool TextIndex::record(const QString& path, const PictureSource& source)
{
    if (lost() && !sync())
        return false;
    if (!m_database)
        return false;
    const QString relative = relativePath(path);
    const QByteArray hash = PictureHash(path);
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    if (relative.isEmpty() || hash.isEmpty() || !facts)
        return true;
    if (!m_database->exec("BEGIN"))
        return failed(m_database->failure());
    if (!enter(relative, facts->size, facts->modified.toMSecsSinceEpoch(), hash))
        return false;
    SqlStatement captured = m_database->prepare("UPDATE pictures SET captured = 1 WHERE hash = ?1");
    if (!captured.bind(1, hash).run())
        return failed(captured.result());
    if (!source.isEmpty()) {
        SqlStatement where = m_database->prepare("UPDATE words SET title = ?1, program = ?2 WHERE rowid = "
                                                 "(SELECT id FROM pictures WHERE hash = ?3)");
        if (!where.bind(1, source.title).bind(2, source.program).bind(3, hash).run())
            return failed(where.result());
    }
    if (!commit())
        return false;
    return !withheld(source.program) || withhold();
}

std::optional<WaitingPicture> TextIndex::nextWaiting()
{
    if (lost() && !sync())
        return std::nullopt;
    if (!m_database)
        return std::nullopt;
    for (;;) {
        WaitingPicture waiting;
        qint64 attempts = 0;
        {
            SqlStatement next = m_database->prepare(
                "SELECT p.id, p.hash, p.attempts, (SELECT path FROM files WHERE picture = p.id "
                "ORDER BY modified DESC LIMIT 1), p.captured FROM pictures p WHERE p.state = 0 "
                "AND EXISTS (SELECT 1 FROM files WHERE picture = p.id) "
                "ORDER BY p.captured DESC, p.newest DESC LIMIT 1");
            if (!next.step())
                return std::nullopt;
            waiting = {next.integer(0), m_root + PathFromNative(next.blob(3)), next.blob(1),
                       next.integer(4) != 0};
            attempts = next.integer(2);
        }
        if (attempts < attemptsBeforeGivingUp)
            return waiting;
        if (!store(waiting.id, {TextReading::Kind::Unreadable, {}, {}}))
            return std::nullopt;
    }
}

bool TextIndex::beginReading(qint64 id)
{
    SqlStatement attempt = m_database->prepare("UPDATE pictures SET attempts = attempts + 1 WHERE id = ?1");
    return attempt.bind(1, id).run() || failed(attempt.result());
}

bool TextIndex::store(qint64 id, const TextReading& reading)
{
    if (!m_database->exec("BEGIN"))
        return failed(m_database->failure());
    switch (reading.kind) {
    case TextReading::Kind::Read: {
        // Withheld while it was being read: its words are not kept.
        SqlStatement read =
            m_database->prepare("UPDATE pictures SET state = 1, captured = 0 WHERE id = ?1 AND state <> 3");
        if (!read.bind(1, id).run())
            return failed(read.result());
        if (m_database->changes() == 0)
            break;
        SqlStatement words = m_database->prepare("UPDATE words SET text = ?1 WHERE rowid = ?2");
        if (!words.bind(1, reading.text).bind(2, id).run())
            return failed(words.result());
        SqlStatement boxes = m_database->prepare("INSERT INTO boxes(picture, data) VALUES (?1, ?2) "
                                                 "ON CONFLICT(picture) DO UPDATE SET data = excluded.data");
        if (!boxes.bind(1, id).bind(2, PackWordBoxes(reading.boxes)).run())
            return failed(boxes.result());
        break;
    }
    case TextReading::Kind::Unreadable: {
        SqlStatement unreadable =
            m_database->prepare("UPDATE pictures SET state = 2, captured = 0 WHERE id = ?1 AND state <> 3");
        if (!unreadable.bind(1, id).run())
            return failed(unreadable.result());
        break;
    }
    case TextReading::Kind::Stopped:
    case TextReading::Kind::Unavailable: {
        SqlStatement notCounted =
            m_database->prepare("UPDATE pictures SET attempts = max(attempts - 1, 0) WHERE id = ?1");
        if (!notCounted.bind(1, id).run())
            return failed(notCounted.result());
        break;
    }
    }
    return commit();
}

bool TextIndex::refresh(const QString& path)
{
    if (lost() && !sync())
        return false;
    if (!m_database)
        return false;
    const QString relative = relativePath(path);
    const QByteArray hash = PictureHash(path);
    const std::optional<FileFacts> facts = ReadFileFacts(path);
    if (relative.isEmpty())
        return true;
    if (hash.isEmpty() || !facts) {
        SqlStatement drop = m_database->prepare("DELETE FROM files WHERE path = ?1");
        return drop.bind(1, NativePath(relative)).run() || failed(drop.result());
    }
    if (!m_database->exec("BEGIN"))
        return failed(m_database->failure());
    return enter(relative, facts->size, facts->modified.toMSecsSinceEpoch(), hash) && commit();
}

bool TextIndex::setLanguages(const QString& languages)
{
    m_languages = languages;
    if (!m_database)
        return false;
    const QString key = QStringLiteral("languages");
    const QString before = m_database->meta(key);
    if (before == languages)
        return true;
    if (!m_database->exec("BEGIN"))
        return failed(m_database->failure());
    // An index without languages has read nothing yet.
    if (!before.isEmpty() && !m_database->exec("UPDATE pictures SET state = 0, attempts = 0 WHERE state = 1"))
        return failed(m_database->failure());
    if (!m_database->setMeta(key, languages))
        return failed(m_database->failure());
    return commit();
}

bool TextIndex::forget()
{
    if (lost())
        m_database.reset();
    if (!m_database && !open())
        return false;
    if (!m_database->exec("BEGIN; UPDATE words SET text = '' WHERE text <> ''; DELETE FROM boxes;"
                          "UPDATE pictures SET state = 0, attempts = 0 WHERE state = 1;"))
        return failed(m_database->failure());
    if (!commit())
        return false;
    m_database->scrub();
    return true;
}

bool TextIndex::setUnreadPrograms(const QStringList& programs)
{
    m_unreadPrograms = programs;
    return !m_database || withhold();
}

bool TextIndex::withheld(const QString& program) const
{
    return !program.isEmpty() && m_unreadPrograms.contains(program, Qt::CaseInsensitive);
}

bool TextIndex::withhold()
{
    QList<qint64> withholding;
    QList<qint64> released;
    {
        SqlStatement sources = m_database->prepare(
            "SELECT p.id, p.state, w.program FROM pictures p JOIN words w ON w.rowid = p.id");
        while (sources.step()) {
            const bool listed = withheld(sources.text(2));
            const bool was = sources.integer(1) == Withheld;
            if (listed && !was)
                withholding.append(sources.integer(0));
            else if (!listed && was)
                released.append(sources.integer(0));
        }
    }
    if (withholding.isEmpty() && released.isEmpty())
        return true;
    if (!m_database->exec("BEGIN"))
        return failed(m_database->failure());
    SqlStatement state = m_database->prepare("UPDATE pictures SET state = ?1, attempts = 0 WHERE id = ?2");
    SqlStatement words = m_database->prepare("UPDATE words SET text = '' WHERE rowid = ?1 AND text <> ''");
    SqlStatement boxes = m_database->prepare("DELETE FROM boxes WHERE picture = ?1");
    for (const qint64 id : std::as_const(withholding)) {
        if (!state.bind(1, Withheld).bind(2, id).run())
            return failed(state.result());
        if (!words.bind(1, id).run())
            return failed(words.result());
        if (!boxes.bind(1, id).run())
            return failed(boxes.result());
    }
    // Taken off the list: read like any other.
    for (const qint64 id : std::as_const(released)) {
        if (!state.bind(1, Waiting).bind(2, id).run())
            return failed(state.result());
    }
    if (!commit())
        return false;
    if (!withholding.isEmpty())
        m_database->scrub();
    return true;
}

IndexProgress TextIndex::progress() const
{
    if (!m_database)
        return {};
    SqlStatement counts = m_database->prepare(
        "SELECT count(*), coalesce(sum(p.state <> 0), 0) FROM files f JOIN pictures p ON p.id = f.picture");
    if (!counts.step())
        return {};
    return {static_cast<int>(counts.integer(1)), static_cast<int>(counts.integer(0))};
}
