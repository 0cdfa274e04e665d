#include "FileJob.h"

#include "platform/ModalLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QSemaphore>
#include <QThreadPool>

namespace {

// Runs \a work on \a batch on a worker thread while the window's events run; false when the
// program is ending and the events stopped before the batch was done.
bool runAway(const std::function<void(const QStringList&)>& work, const QStringList& batch)
{
    QEventLoop loop;
    QSemaphore finished;
    bool done = false;
    QThreadPool::globalInstance()->start([&] {
        work(batch);
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                done = true;
                loop.quit();
            },
            Qt::QueuedConnection);
        finished.release();
    });
    ModalLoop::run([&loop] { loop.exec(); }, [&loop] { loop.quit(); });
    // Whatever ended the events, the batch's data lives here until the worker is through with it.
    finished.acquire();
    return done;
}

} // namespace

qsizetype RunFileJob(QWidget* parent, const QString& label, const QStringList& paths,
                     const std::function<void(const QStringList&)>& work)
{
    if (paths.size() <= FileJobInPlaceLimit) {
        work(paths);
        return paths.size();
    }
    QProgressDialog progress(label, QCoreApplication::translate("FileJob", "Cancel"), 0,
                             static_cast<int>(paths.size()), parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(0);
    progress.show();
    qsizetype handed = 0;
    while (handed < paths.size() && !progress.wasCanceled()) {
        const QStringList batch = paths.mid(handed, FileJobBatch);
        const bool done = runAway(work, batch);
        handed += batch.size();
        if (!done)
            break;
        progress.setValue(static_cast<int>(handed));
    }
    return handed;
}
