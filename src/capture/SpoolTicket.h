#pragma once

#include <QString>
#include <memory>

struct SpoolShared;

/// One picture's place in the spool, carried by its job to the writer: the picture's bytes
/// stay there until it is filed, so that a program killed meanwhile files it at its next start.
class SpoolTicket
{
public:
    SpoolTicket(std::shared_ptr<SpoolShared> spool, quint64 id);

    /// The picture is about to be written as \a path: a start after a kill finds it filed when a
    /// file stands there. Empty: it was not filed after all.
    void naming(const QString& path) const;
    /// The picture is filed, or was one kept already: the spool lets it go.
    void done() const;
    /// Its number in the spool: the order the pictures came in.
    quint64 id() const { return m_id; }

private:
    std::shared_ptr<SpoolShared> m_spool;
    quint64 m_id;
};
