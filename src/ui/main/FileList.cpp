#include "FileList.h"

#include "core/AppState.h"
#include "library/DisplayOrder.h"
#include "library/FileOperations.h"
#include "library/LibraryCommands.h"
#include "library/LibraryTree.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/dialogs/LibraryDialogs.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <algorithm>

FileList::FileList(QWidget* parent, AppState& state, Services& services, LibraryDialogs& dialogs)
    : QListWidget(parent)
    , m_state(state)
    , m_services(services)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("lstComponents"));
    setProperty("index", 0);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Every line is one name in one font: laying out each of 50,000 lines to learn its height
    // would cost more than filling the list.
    setUniformItemSizes(true);
    setToolTip(QStringLiteral("Select file(s) & press Delete key to delete OR Spacebar to relocate.  Double "
                              "click for more options."));
    connect(this, &QListWidget::itemDoubleClicked, this, &FileList::lstComponents_DblClick);
}

void FileList::fill(const QString& folder, int restoreRow)
{
    // Every path the walk of the set found begins with its folder, so the order of the rest is
    // the order of the paths, and the sort need not compare that beginning again and again.
    QStringList rests;
    rests.reserve(m_state.fileList.size());
    for (const QString& path : std::as_const(m_state.fileList))
        rests.append(path.mid(folder.size()));
    SortForDisplay(rests);
    QStringList names;
    names.reserve(rests.size());
    for (const QString& rest : std::as_const(rests)) {
        names.append(FileNameOf(rest));
        m_state.fileListEntries.append(folder + rest);
    }
    refill(names, restoreRow);
}

void FileList::refill(const QStringList& names, int restoreRow)
{
    const QSignalBlocker blocker(this);
    QString remembered;
    if (!selectedItems().isEmpty() && currentItem())
        remembered = currentItem()->text();
    clear();
    addItems(names);
    if (!remembered.isEmpty()) {
        const QList<QListWidgetItem*> matches =
            findItems(remembered, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!matches.isEmpty())
            setCurrentItem(matches.first());
    }
    const int lines = count();
    if (lines == 0)
        return;
    if (restoreRow < 1) {
        if (selectedItems().isEmpty())
            setCurrentRow(0);
        return;
    }
    setCurrentRow(lines > restoreRow ? restoreRow : lines - 1);
    setFocus();
}

bool FileList::insertCapture(const QString& path)
{
    QStringList& entries = m_state.fileListEntries;
    if (entries.size() >= m_state.settings.fileMax)
        return false;
    const auto place =
        std::upper_bound(entries.begin(), entries.end(), path,
                         [](const QString& a, const QString& b) { return CompareDisplayOrder(a, b) < 0; });
    const auto row = static_cast<int>(place - entries.begin());
    entries.insert(row, path);
    {
        const QSignalBlocker blocker(this);
        insertItem(row, FileNameOf(path));
    }
    if (entries.size() == 1)
        setCurrentRow(0);
    else
        m_state.currentFileIndex = currentRow() + 1;
    return true;
}

void FileList::moveSelection(int fromRow, int toRow)
{
    const QSignalBlocker blocker(this);
    if (QListWidgetItem* previous = item(fromRow))
        previous->setSelected(false);
    setCurrentRow(toRow, QItemSelectionModel::Select);
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
        lstComponents_KeyDown(Qt::Key_Delete);
        return;
    case Qt::Key_Space:
        // Ctrl+Space keeps its usual role of adding a line to the selection or taking it out.
        if (event->modifiers() & Qt::ControlModifier)
            break;
        lstComponents_KeyDown(Qt::Key_Space);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        lstComponents_KeyPress(Qt::Key_Return);
        return;
    default:
        break;
    }
    QListWidget::keyPressEvent(event);
}

QStringList FileList::selectedPaths() const
{
    QStringList paths;
    for (int row = 0; row < count() && row < m_state.fileListEntries.size(); ++row) {
        if (item(row)->isSelected())
            paths.append(m_state.fileListEntries.at(row));
    }
    return paths;
}

void FileList::lstComponents_DblClick()
{
    ShowFileOptions();
}

void FileList::lstComponents_KeyPress(int key)
{
    if (key == Qt::Key_Return)
        ShowFileOptions();
}

void FileList::lstComponents_KeyDown(int key)
{
    MessageBoxes& boxes = m_services.boxes;
    // The paths are taken before asking: a capture while the question is open refills the list.
    const QStringList paths = selectedPaths();
    if (key == Qt::Key_Delete) {
        if (paths.isEmpty()) {
            boxes.show(QStringLiteral("Select file(s) to delete first."), BoxLook::Exclamation);
            return;
        }
        if (boxes.show(
                QStringLiteral("Are you sure you want to delete the %1 files selected?").arg(paths.size()),
                BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
            return;
        const int row = currentRow();
        deleteFiles(paths);
        emit refreshRequested(row);
    } else if (key == Qt::Key_Space) {
        if (paths.isEmpty()) {
            boxes.show(QStringLiteral("Select file(s) to relocate first."), BoxLook::Exclamation);
            return;
        }
        MoveSelectedFiles(paths);
    }
}

void FileList::MoveSelectedFiles(const QStringList& paths)
{
    QStringList categories;
    for (int row = 0; m_categories && row < m_categories->count(); ++row)
        categories.append(m_categories->itemText(row));
    const std::optional<ImageSetChoice> target = m_dialogs.AskForRelocation(
        window(), {QStringLiteral("Where should these (%1) files be moved?").arg(paths.size()), categories,
                   m_state.libraryRoot, m_state.currentCategory});
    if (!target || target->imageSet.isEmpty() || target->category.isEmpty())
        return;
    const int row = currentRow();
    const Outcome moved =
        MoveFilesInto(paths, ImageSetFolder(m_state.libraryRoot, target->category, target->imageSet));
    if (!moved.done()) {
        m_services.boxes.show(moved.text, BoxLook::Information);
        return;
    }
    emit refreshRequested(row);
    if (!moved.problems.isEmpty())
        m_services.boxes.show(
            QStringLiteral("These files were not moved and are still where they were:\n\n") +
                moved.problems.join(QLatin1Char('\n')),
            BoxLook::Exclamation);
    m_services.boxes.show(QStringLiteral("Done."), BoxLook::NoIcon);
}

void FileList::ShowFileOptions()
{
    const int row = currentRow();
    if (row < 0 || row >= m_state.fileListEntries.size())
        return;
    switch (m_dialogs.AskForFileOption(window())) {
    case FileOption::Open: {
        MessageBoxes& boxes = m_services.boxes;
        m_services.shell.open(m_state.fileListEntries.at(row), [&boxes] {
            boxes.show(QStringLiteral("I don't know what action to take with the selected file type.  "
                                      "Try associating it with a program in your file manager."),
                       BoxLook::Exclamation);
        });
        return;
    }
    case FileOption::Rename:
        renameFile(row);
        return;
    case FileOption::Cancel:
        return;
    }
}

void FileList::renameFile(int row)
{
    const QString lineText = item(row)->text();
    const std::optional<QString> name = m_dialogs.AskForName(
        window(), QStringLiteral("New name for ") + lineText + QLatin1Char(':'), lineText);
    if (!name || name->isEmpty() || *name == lineText)
        return;
    const Outcome renamed = RenameFile(m_state.fileListEntries.at(row), *name);
    if (!renamed.done()) {
        m_services.boxes.show(renamed.text, BoxLook::Exclamation);
        return;
    }
    emit refreshRequested(row);
}

void FileList::deleteFiles(const QStringList& paths)
{
    MessageBoxes& boxes = m_services.boxes;
    const DeleteOutcome trashed = TrashFiles(m_state.libraryRoot, paths);
    QStringList problems = trashed.outcome.problems;
    if (!trashed.notTrashed.isEmpty()) {
        QStringList names;
        for (const QString& path : trashed.notTrashed)
            names.append(FileNameOf(path));
        if (boxes.show(QStringLiteral("These files cannot be moved to the trash (") + trashed.trashError +
                           QStringLiteral("):\n\n") + names.join(QLatin1Char('\n')) +
                           QStringLiteral("\n\nDelete them for good?"),
                       BoxLook::Exclamation, BoxButtons::YesNo) == BoxAnswer::Yes)
            problems += DeleteFiles(m_state.libraryRoot, trashed.notTrashed).outcome.problems;
    }
    for (const QString& problem : std::as_const(problems))
        boxes.show(problem, BoxLook::Exclamation);
}
