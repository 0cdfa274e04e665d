#pragma once

#include <QStringList>
#include <functional>

class QWidget;

/// More files than this are worked on away from the window's thread, behind a progress dialog.
constexpr qsizetype FileJobInPlaceLimit = 300;

/// Files handed to the work at a time when it runs away from the window's thread.
constexpr qsizetype FileJobBatch = 50;

/// Calls \a work on \a paths in their order. Up to FileJobInPlaceLimit paths go in one call on the
/// window's thread. More go a batch at a time on a worker thread while the window's events run,
/// behind a window-modal progress dialog with the text \a label over \a parent; its Cancel stops
/// the work after the batch under way. \a work sees one batch at a time, never two at once.
/// Returns how many paths were handed to \a work: all of them unless the work was cancelled.
qsizetype RunFileJob(QWidget* parent, const QString& label, const QStringList& paths,
                     const std::function<void(const QStringList& batch)>& work);
