#include "IndexDatabase.h"

#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <sqlite3.h>

namespace {

// Raised whenever the tables change; an index of another version is started afresh, but for
// the one before this, which is brought up to it.
constexpr int schemaVersion = 3;
// Kept no lines and no word boxes: its words stay and answer Find while its pictures are read
// again.
constexpr int boxlessVersion = 2;

// Pictures are keyed by a hash of their bytes, files point at their picture, and the full-text
// table holds each picture's words and source under the picture's id, with a word for each
// Category and Image Set its files lie in, so a search within one is a full-text match too. A
// picture keeps the time of its newest file, so the next one to read is found without sorting
// the library; ids are given in the order of the files' times, so the full-text table's own
// order is near the newest first. Paths, and the library's root, are kept as the bytes of their
// names, which need not be UTF-8. Accents and case are folded by the tokenizer; the prefix
// indexes keep short prefixes of common words fast. The boxes of a picture's words are packed
// (WordBoxes) in a table of their own, so walks over the pictures do not step over them, with
// rows in the order pictures were read: read newest first, rows keyed by the picture would
// each go in before the last, which leaves pages half empty (the boxes took twice the room).
constexpr const char* schema = R"(
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE pictures(
    id INTEGER PRIMARY KEY,
    hash BLOB NOT NULL UNIQUE,
    state INTEGER NOT NULL DEFAULT 0,
    attempts INTEGER NOT NULL DEFAULT 0,
    captured INTEGER NOT NULL DEFAULT 0,
    newest INTEGER NOT NULL DEFAULT 0);
CREATE INDEX pictures_next ON pictures(state, captured, newest);
CREATE TABLE files(
    path BLOB PRIMARY KEY,
    picture INTEGER NOT NULL,
    size INTEGER NOT NULL,
    modified INTEGER NOT NULL);
CREATE INDEX files_picture ON files(picture);
CREATE INDEX files_modified ON files(modified, picture);
CREATE VIRTUAL TABLE words USING fts5(text, title, program, place,
    tokenize = 'unicode61 remove_diacritics 2', prefix = '1 2 3');
)";
constexpr const char* boxesTable = "CREATE TABLE boxes(picture INTEGER NOT NULL UNIQUE, data BLOB NOT NULL);";

constexpr int waitForWriterMs = 5000;

void removeDatabaseFiles(const QString& file)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(file + QLatin1String(suffix));
}

constexpr QFileDevice::Permissions ownerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// The words read are the user's own (passwords, chats on the screen): no one else may open
// the folder or a file in it. Only rights are taken away, so a folder made read-only stays so.
void keepPrivate(const QString& folder)
{
    QFile::setPermissions(folder, QFile::permissions(folder) & ownerOnly);
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        if (!entry.isSymLink())
            QFile::setPermissions(entry.filePath(), entry.permissions() & ownerOnly);
}

// Made before the database opens it, so that its journals, which take the file's rights, are
// private from their first byte.
void makePrivateFile(const QString& file)
{
    QFile made(file);
    if (!made.exists())
        made.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

sqlite3* openConnection(const QString& file, int flags, const char* options = "")
{
    const QByteArray name = QByteArrayLiteral("file:") +
                            QUrl::toPercentEncoding(QFile::encodeName(file), "/") + QByteArray(options);
    sqlite3* database = nullptr;
    if (sqlite3_open_v2(name.constData(), &database, flags | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        sqlite3_close(database);
        return nullptr;
    }
    sqlite3_busy_timeout(database, waitForWriterMs);
    return database;
}

// The library an index was made for, read without changing the file.
QString rootOf(const QString& file)
{
    const std::unique_ptr<IndexDatabase> index = IndexDatabase::openForReading(file);
    return index ? index->meta(QStringLiteral("root")) : QString();
}

// An index beside \a file whose library is no longer where it was: the library has moved, and
// its pictures, keyed by their bytes, are the same.
void adoptMovedIndex(const QString& file)
{
    const QFileInfo target(file);
    const QDir folder = target.dir();
    for (const QString& name : folder.entryList({QStringLiteral("*.sqlite")}, QDir::Files)) {
        const QString candidate = folder.filePath(name);
        if (name == target.fileName())
            continue;
        const QString root = rootOf(candidate);
        const std::optional<FileFacts> there = ReadFileFacts(root);
        if (root.isEmpty() || (there && !there->regular))
            continue;
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::rename(candidate + QLatin1String(suffix), file + QLatin1String(suffix));
        return;
    }
}

} // namespace

QString IndexFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/Vistrelle/");
}

QString IndexFileFor(const QString& root, const QString& folder)
{
    const QString real = QFileInfo(root).canonicalFilePath();
    const QByteArray digest =
        QCryptographicHash::hash(NativePath(real.isEmpty() ? root : real), QCryptographicHash::Sha256);
    return folder + QStringLiteral("library-") + QString::fromLatin1(digest.toHex().left(16)) +
           QStringLiteral(".sqlite");
}

IndexDatabase::IndexDatabase(sqlite3* database)
    : m_database(database)
{
}

IndexDatabase::~IndexDatabase()
{
    sqlite3_close_v2(m_database);
}

std::unique_ptr<IndexDatabase> IndexDatabase::openForWriting(const QString& root, const QString& file)
{
    const QString folder = QFileInfo(file).absolutePath();
    QDir().mkpath(folder);
    keepPrivate(folder);
    if (!QFileInfo::exists(file))
        adoptMovedIndex(file);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt > 0)
            removeDatabaseFiles(file);
        makePrivateFile(file);
        sqlite3* connection = openConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (!connection)
            continue;
        std::unique_ptr<IndexDatabase> index(new IndexDatabase(connection));
        // What is deleted leaves the file: its pages are overwritten, and those set free are
        // given back. A file gives pages back when made so, before its first page is written,
        // or made again (usable()).
        if (index->exec("PRAGMA secure_delete = ON; PRAGMA auto_vacuum = INCREMENTAL; "
                        "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL;") &&
            index->usable() && index->setMeta(QStringLiteral("root"), root))
            return index;
        // A sound index that the disk has no room to write to now is kept: what was read goes
        // on answering Find until there is room again.
        if (index->outOfRoom())
            return nullptr;
    }
    return nullptr;
}

std::unique_ptr<IndexDatabase> IndexDatabase::openForReading(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return nullptr;
    sqlite3* connection = openConnection(file, SQLITE_OPEN_READONLY);
    if (!connection)
        return nullptr;
    std::unique_ptr<IndexDatabase> index(new IndexDatabase(connection));
    int found = index->version();
    // In a folder that cannot be written the database's shared memory cannot be made, and no
    // program can be writing the file: it is read as it lies.
    if (found < 0 && !QFileInfo(QFileInfo(file).absolutePath()).isWritable()) {
        connection = openConnection(file, SQLITE_OPEN_READONLY, "?immutable=1");
        if (!connection)
            return nullptr;
        index.reset(new IndexDatabase(connection));
        found = index->version();
    }
    if (found != schemaVersion && found != boxlessVersion)
        return nullptr;
    return index;
}

void IndexDatabase::scrub()
{
    // The full-text index keeps a deleted picture's words in its old segments until they are
    // merged; the pages set free are given back, and the journal's copies of them emptied. A
    // failure (no room, a reader in the way) leaves it to the next time.
    exec("INSERT INTO words(words) VALUES ('optimize')");
    exec("PRAGMA incremental_vacuum");
    exec("PRAGMA wal_checkpoint(TRUNCATE)");
}

int IndexDatabase::version() const
{
    SqlStatement version = prepare("PRAGMA user_version");
    return version.step() ? static_cast<int>(version.integer(0)) : -1;
}

bool IndexDatabase::usable()
{
    const int found = version();
    // An index made before pages were given back learns it once; one that cannot (no room)
    // goes on as it was.
    if (found > 0 && autoVacuum() == 0)
        exec("PRAGMA auto_vacuum = INCREMENTAL; VACUUM;");
    if (found == schemaVersion)
        return sound();
    if (found == boxlessVersion)
        return sound() && addBoxes();
    return found == 0 && createTables();
}

bool IndexDatabase::sound() const
{
    SqlStatement check = prepare("PRAGMA quick_check");
    return check.step() && check.text(0) == QLatin1String("ok");
}

int IndexDatabase::autoVacuum() const
{
    SqlStatement mode = prepare("PRAGMA auto_vacuum");
    return mode.step() ? static_cast<int>(mode.integer(0)) : -1;
}

bool IndexDatabase::createTables()
{
    // A file of version 0 that holds tables is not an index of ours.
    SqlStatement tables = prepare("SELECT count(*) FROM sqlite_master");
    if (!tables.step() || tables.integer(0) != 0)
        return false;
    return change(QByteArray(schema) + boxesTable +
                  "PRAGMA user_version = " + QByteArray::number(schemaVersion) + ";");
}

bool IndexDatabase::addBoxes()
{
    // The pictures read wait to be read again, for their lines and boxes; the words they had
    // answer Find until then.
    return change(QByteArray(boxesTable) +
                  "UPDATE pictures SET state = 0, attempts = 0 WHERE state = 1;"
                  "PRAGMA user_version = " +
                  QByteArray::number(schemaVersion) + ";");
}

bool IndexDatabase::change(const QByteArray& script)
{
    if (exec(("BEGIN;" + script + "COMMIT;").constData()))
        return true;
    const int failure = m_failure;
    exec("ROLLBACK");
    m_failure = failure;
    return false;
}

bool IndexDatabase::outOfRoom() const
{
    // A write that finds the disk full, or the file at the largest size it may have, fails
    // short (full) or not at all (an error of input and output), as far as it came.
    const int failure = m_failure & 0xff;
    return failure == SQLITE_FULL || failure == SQLITE_IOERR;
}

int IndexDatabase::changes() const
{
    return sqlite3_changes(m_database);
}

bool IndexDatabase::exec(const char* sql)
{
    const int result = sqlite3_exec(m_database, sql, nullptr, nullptr, nullptr);
    if (result != SQLITE_OK)
        m_failure = result;
    return result == SQLITE_OK;
}

QString IndexDatabase::meta(const QString& key) const
{
    SqlStatement query = prepare("SELECT value FROM meta WHERE key = ?1");
    query.bind(1, key);
    return query.step() ? PathFromNative(query.blob(0)) : QString();
}

bool IndexDatabase::setMeta(const QString& key, const QString& value)
{
    SqlStatement update = prepare("INSERT INTO meta(key, value) VALUES (?1, ?2) "
                                  "ON CONFLICT(key) DO UPDATE SET value = excluded.value");
    update.bind(1, key).bind(2, NativePath(value));
    const bool done = update.run();
    if (!done)
        m_failure = update.result();
    return done;
}
