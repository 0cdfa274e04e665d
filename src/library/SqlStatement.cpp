#include "SqlStatement.h"

#include <sqlite3.h>

SqlStatement::SqlStatement(sqlite3* database, const char* sql)
    : m_result(sqlite3_prepare_v2(database, sql, -1, &m_statement, nullptr))
{
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_statement);
}

SqlStatement& SqlStatement::bind(int parameter, qint64 value)
{
    sqlite3_bind_int64(m_statement, parameter, value);
    return *this;
}

SqlStatement& SqlStatement::bind(int parameter, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_statement, parameter, utf8.constData(), static_cast<int>(utf8.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

SqlStatement& SqlStatement::bind(int parameter, const QByteArray& value)
{
    sqlite3_bind_blob(m_statement, parameter, value.constData(), static_cast<int>(value.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

bool SqlStatement::step()
{
    if (!m_statement)
        return false;
    m_result = sqlite3_step(m_statement);
    return m_result == SQLITE_ROW;
}

bool SqlStatement::run()
{
    while (step()) {
    }
    const bool done = m_result == SQLITE_DONE;
    reset();
    return done;
}

void SqlStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

qint64 SqlStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString SqlStatement::text(int column) const
{
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return QString::fromUtf8(utf8, sqlite3_column_bytes(m_statement, column));
}

QByteArray SqlStatement::blob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return QByteArray(bytes, sqlite3_column_bytes(m_statement, column));
}
