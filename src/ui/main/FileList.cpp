#include "FileList.h"

#include "library/ImageSetModel.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QSet>
#include <algorithm>

namespace {

// True when \a path names a file called \a name.
bool named(const QString& path, const QString& name)
{
    return path.size() > name.size() && path.endsWith(name) &&
           path.at(path.size() - name.size() - 1) == QLatin1Char('/');
}

} // namespace

FileList::FileList(QWidget* parent)
    : QListView(parent)
    , m_files(new ImageSetModel(this))
{
    setObjectName(QStringLiteral("lstComponents"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every line is one name in one font: laying out each of 200,000 lines to learn its height
    // would cost more than listing them.
    setUniformItemSizes(true);
    setToolTip(tr("Select file(s) & press Delete key to delete OR Spacebar to relocate.  Double "
                  "click for more options."));
    setModel(m_files);
    // Dragged out, the selected files go to the other program as a copy.
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_quiet && current.isValid())
                    emit currentFileChanged(current.row());
            });
    connect(this, &QListView::doubleClicked, this, &FileList::fileOptionsRequested);
}

QStringList FileList::selectedPaths() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList paths;
    for (const QModelIndex& row : std::as_const(rows))
        paths.append(m_files->path(row.row()));
    return paths;
}

void FileList::makeCurrent(int row, QItemSelectionModel::SelectionFlags command)
{
    selectionModel()->setCurrentIndex(m_files->index(row), command);
}

void FileList::fill(const QString& folder, QStringList images, qsizetype capacity, int restoreRow)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const QString remembered =
        selectionModel()->hasSelection() ? currentIndex().data().toString() : QString();
    m_files->setImages(folder, std::move(images), capacity);
    const int lines = m_files->rowCount();
    if (!remembered.isEmpty()) {
        const QStringList& paths = m_files->paths();
        const auto match = std::find_if(paths.cbegin(), paths.cend(), [&remembered](const QString& path) {
            return named(path, remembered);
        });
        if (match != paths.cend())
            makeCurrent(static_cast<int>(match - paths.cbegin()), QItemSelectionModel::ClearAndSelect);
    }
    if (lines == 0)
        return;
    if (restoreRow < 1) {
        if (!selectionModel()->hasSelection())
            makeCurrent(0, QItemSelectionModel::ClearAndSelect);
        return;
    }
    makeCurrent(std::min(restoreRow, lines - 1), QItemSelectionModel::Select);
    setFocus();
}

bool FileList::insertCapture(const QString& path, qsizetype capacity)
{
    // Listed already, as another program's new file, while it was renamed into place.
    if (m_files->rowOf(path) >= 0)
        return true;
    if (m_files->rowCount() >= capacity)
        return false;
    const QScopedValueRollback quiet(m_quiet, true);
    m_files->insertImage(path);
    if (m_files->rowCount() == 1)
        makeCurrent(0, QItemSelectionModel::ClearAndSelect);
    return true;
}

bool FileList::removeFiles(const QStringList& paths)
{
    const QScopedValueRollback quiet(m_quiet, true);
    const QSet<QString> going(paths.cbegin(), paths.cend());
    const int current = currentRow();
    const bool currentGoes = going.contains(m_files->path(current));
    // The line after the current one that stays, taken before the rows move.
    QString next;
    for (int row = current + 1; currentGoes && next.isEmpty() && row < m_files->rowCount(); ++row)
        if (!going.contains(m_files->path(row)))
            next = m_files->path(row);
    for (const QString& path : paths)
        m_files->removeImage(path);
    if (!currentGoes || m_files->rowCount() == 0)
        return currentGoes;
    const int row = next.isEmpty() ? m_files->rowCount() - 1 : m_files->rowOf(next);
    makeCurrent(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(currentIndex());
    return true;
}

void FileList::moveSelection(int fromRow, int toRow)
{
    const QScopedValueRollback quiet(m_quiet, true);
    selectionModel()->select(m_files->index(fromRow), QItemSelectionModel::Deselect);
    makeCurrent(toRow, QItemSelectionModel::Select);
}

void FileList::selectOnly(const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    const QScopedValueRollback quiet(m_quiet, true);
    makeCurrent(rows.first(), QItemSelectionModel::ClearAndSelect);
    for (const int row : rows)
        selectionModel()->select(m_files->index(row), QItemSelectionModel::Select);
    scrollTo(currentIndex());
}

void FileList::contextMenuEvent(QContextMenuEvent* event)
{
    // From the keyboard, the menu is the current line's; a right click's the line under it. A
    // line that is not selected is chosen alone, as a left click would; a selected one keeps the
    // selection, so the menu acts on all of it.
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    const QModelIndex line = keyboard ? currentIndex() : indexAt(event->pos());
    if (!line.isValid())
        return;
    if (!selectionModel()->isSelected(line))
        makeCurrent(line.row(), QItemSelectionModel::ClearAndSelect);
    emit menuRequested(keyboard ? viewport()->mapToGlobal(visualRect(line).center()) : event->globalPos());
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        emit copyRequested();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
        emit deleteKeyPressed();
        return;
    case Qt::Key_Space:
        // Ctrl+Space keeps its usual role of adding a line to the selection or taking it out.
        if (event->modifiers() & Qt::ControlModifier)
            break;
        emit spaceKeyPressed();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit fileOptionsRequested();
        return;
    default:
        break;
    }
    QListView::keyPressEvent(event);
}
