#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

/// One prepared statement of the index's database: bound, stepped through its rows, and
/// finalised when it goes. Columns and parameters count as SQLite counts them (parameters
/// from 1, columns from 0).
class SqlStatement
{
public:
    SqlStatement(sqlite3* database, const char* sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    SqlStatement& bind(int parameter, qint64 value);
    SqlStatement& bind(int parameter, const QString& value);
    SqlStatement& bind(int parameter, const QByteArray& value);

    /// True while a row comes; false when the statement is done or failed (result() tells).
    bool step();
    /// Runs the statement to its end; true when it did not fail.
    bool run();
    /// The last result code of preparing or stepping.
    int result() const { return m_result; }
    /// Ready for a new run with new parameters.
    void reset();

    qint64 integer(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    sqlite3_stmt* m_statement = nullptr;
    int m_result = 0;
};
