#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QThreadPool>
#include <functional>

class QProgressDialog;
class QWidget;

/// More files than this are worked on away from the window's thread, behind a progress dialog.
constexpr qsizetype FileJobInPlaceLimit = 300;

/// Files handed to the work at a time when it runs away from the window's thread.
constexpr qsizetype FileJobBatch = 50;

/// Work on files, in their order. Up to FileJobInPlaceLimit paths go in one call on the window's
/// thread, at start(). More go a batch at a time to a thread of the job's own while the window's
/// events run, behind a window-modal progress dialog; its Cancel stops the work after the batch
/// under way. The work sees one batch at a time, never two at once. The job tells finished()
/// and then goes; a job destroyed before (its window closing) waits for the batch under way and
/// hands on no other.
class FileJob final : public QObject
{
    Q_OBJECT

public:
    using Work = std::function<void(const QStringList& batch)>;

    /// A job of \a work on \a paths, whose progress dialog says \a label over \a window.
    FileJob(QWidget* window, const QString& label, QStringList paths, Work work, QObject* parent);
    ~FileJob() override;

    void start();

signals:
    /// \a handed paths were handed to the work: all of them unless the work was cancelled.
    void finished(qsizetype handed);

private:
    void handNextBatch();
    void batchDone(qsizetype size);
    void finish();

    QWidget* m_window;
    QString m_label;
    QStringList m_paths;
    Work m_work;
    qsizetype m_handed = 0;
    QPointer<QProgressDialog> m_progress;
    QThreadPool m_worker; // one thread, so the batches run one after the other
};
