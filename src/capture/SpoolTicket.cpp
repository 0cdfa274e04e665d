#include "SpoolTicket.h"

#include "SpoolShared.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QMutexLocker>

SpoolTicket::SpoolTicket(std::shared_ptr<SpoolShared> spool, quint64 id)
    : m_spool(std::move(spool))
    , m_id(id)
{
}

void SpoolTicket::naming(const QString& path) const
{
    const QString name = m_spool->file(m_id, ".name");
    if (path.isEmpty()) {
        RemoveEntry(name);
        return;
    }
    // The file itself is synced before it gets its name: a name that outlives a power cut
    // while the file does not only makes the picture filed from the spool.
    QFile file(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(path.toUtf8());
}

void SpoolTicket::done() const
{
    const QMutexLocker lock(&m_spool->mutex);
    if (!m_spool->written.remove(m_id)) {
        m_spool->letGo.insert(m_id);
        return;
    }
    // The picture's bytes go before the name, so that a kill between the two leaves nothing to
    // file twice.
    RemoveEntry(m_spool->file(m_id, ".spool"));
    RemoveEntry(m_spool->file(m_id, ".name"));
}
