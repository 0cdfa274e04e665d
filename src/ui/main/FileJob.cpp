#include "FileJob.h"

#include <QCoreApplication>
#include <QProgressDialog>

FileJob::FileJob(QWidget* window, const QString& label, QStringList paths, Work work, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_label(label)
    , m_paths(std::move(paths))
    , m_work(std::move(work))
{
    m_worker.setMaxThreadCount(1);
}

FileJob::~FileJob()
{
    // The batch under way uses the work, which lives here.
    m_worker.waitForDone();
    delete m_progress;
}

void FileJob::start()
{
    if (m_paths.size() <= FileJobInPlaceLimit) {
        m_work(m_paths);
        m_handed = m_paths.size();
        finish();
        return;
    }
    m_progress = new QProgressDialog(m_label, QCoreApplication::translate("FileJob", "Cancel"), 0,
                                     static_cast<int>(m_paths.size()), m_window);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoReset(false);
    m_progress->setAutoClose(false);
    m_progress->setMinimumDuration(0);
    m_progress->show();
    handNextBatch();
}

void FileJob::handNextBatch()
{
    m_worker.start([this, batch = m_paths.mid(m_handed, FileJobBatch)] {
        m_work(batch);
        // Delivered on the window's thread; dropped once the job is gone.
        QMetaObject::invokeMethod(
            this, [this, size = batch.size()] { batchDone(size); }, Qt::QueuedConnection);
    });
}

void FileJob::batchDone(qsizetype size)
{
    m_handed += size;
    m_progress->setValue(static_cast<int>(m_handed));
    if (m_handed < m_paths.size() && !m_progress->wasCanceled())
        handNextBatch();
    else
        finish();
}

void FileJob::finish()
{
    delete m_progress;
    emit finished(m_handed);
    deleteLater();
}
