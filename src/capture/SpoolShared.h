#pragma once

#include <QMutex>
#include <QSet>
#include <QString>
#include <atomic>

/// What the spool's thread, the writer's thread and the window share of one spool: which
/// pictures stand whole in it, and which were filed before their turn to be written came.
struct SpoolShared
{
    QString folder;                   ///< ends in "/"
    std::atomic<quint64> next{1};     ///< the number of the next picture, in the order they came
    std::atomic<bool> catching{true}; ///< false while capture is paused: nothing is kept as it is read
    QMutex mutex;
    QSet<quint64> written;
    QSet<quint64> letGo;

    /// The files of picture \a id in the spool, named by \a ending (".spool", ".name", ".part",
    /// ".got").
    QString file(quint64 id, const char* ending) const
    {
        return folder + QStringLiteral("%1").arg(id, 12, 10, QLatin1Char('0')) + QLatin1String(ending);
    }
};
