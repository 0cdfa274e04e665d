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
    /// file stands there. Empty: it was not filed, and it is no picture kept already, so that a
    /// start does not take it for one put back.
    void naming(const QString& path) const;
    /// The picture is filed, or was one kept already: the spool lets it go.
    void done() const;

private:
    std::shared_ptr<SpoolShared> m_spool;
    quint64 m_id;
};
