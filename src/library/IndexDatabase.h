#pragma once

#include "SqlStatement.h"

#include <QString>
#include <memory>

/// The folder of the text indexes: "Vistrelle/" in the user's cache folder ($XDG_CACHE_HOME or
/// ~/.cache), ending in "/".
QString IndexFolder();

/// The database file of the library at \a root inside \a folder: one per library, named after
/// the library's real path.
QString IndexFileFor(const QString& root, const QString& folder);

/// A connection to one library's text index, an SQLite database with a full-text table. The
/// index is a cache of what the library's folders hold, so whatever is wrong with the file is
/// mended by starting it afresh.
class IndexDatabase
{
public:
    ~IndexDatabase();
    IndexDatabase(const IndexDatabase&) = delete;
    IndexDatabase& operator=(const IndexDatabase&) = delete;

    /// Opens the index of the library at \a root in \a file for reading and writing. Its folder
    /// and files are kept for the user alone (an index made with wider rights is mended), and
    /// whatever is deleted from it is overwritten. A missing
    /// file is made; when none exists but the index of a library that has moved away is beside
    /// it, that one is taken over, so a moved library keeps what was read. An index of the
    /// version before, which kept no word boxes, is brought up to this one: its words stay, and
    /// its pictures wait to be read again. A file that is damaged, of another version or no
    /// database at all is replaced by an empty index. Null when no index can be made there (no
    /// permission), or when the disk has no room to write a sound one, which is then kept.
    static std::unique_ptr<IndexDatabase> openForWriting(const QString& root, const QString& file);

    /// Opens the index in \a file only to read it, beside a program that may be writing it: of
    /// this version, or of the one before while it has not been brought up to this one (its
    /// pictures have no boxes table). In a folder that cannot be written it is read as it lies.
    /// Null when it is missing, damaged or of another version.
    static std::unique_ptr<IndexDatabase> openForReading(const QString& file);

    SqlStatement prepare(const char* sql) const { return SqlStatement(m_database, sql); }
    /// Runs \a sql, one or more statements without parameters; true when none failed.
    bool exec(const char* sql);
    /// The result code of the last failed exec.
    int failure() const { return m_failure; }
    /// The rows the last statement changed.
    int changes() const;
    /// Takes every trace of rows deleted out of the file: the full-text index merged, the pages
    /// set free given back, the journal emptied.
    void scrub();

    /// A value kept in the index's own table; empty when none is. Kept as bytes, so a path
    /// whose name is not UTF-8 comes back as it went in.
    QString meta(const QString& key) const;
    bool setMeta(const QString& key, const QString& value);

private:
    explicit IndexDatabase(sqlite3* database);
    int version() const;
    /// Tables of this version, made or brought up to it as needed; false when the file is
    /// damaged or holds another program's tables, or they cannot be written.
    bool usable();
    bool sound() const;
    int autoVacuum() const;
    bool createTables();
    bool addBoxes();
    /// Runs \a script in one transaction; nothing of it is kept when a part fails.
    bool change(const QByteArray& script);
    /// The last failure was a write that found no room on the disk.
    bool outOfRoom() const;

    sqlite3* m_database;
    int m_failure = 0;
};
