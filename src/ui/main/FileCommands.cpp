#include "FileCommands.h"

#include "FileJob.h"
#include "FileList.h"
#include "core/AppState.h"
#include "library/FileOperations.h"
#include "library/FolderNamesModel.h"
#include "library/ImageSetModel.h"
#include "library/LibraryCommands.h"
#include "library/LibraryTree.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/dialogs/LibraryDialogs.h"

namespace {

void addTo(DeleteOutcome& all, const DeleteOutcome& batch)
{
    all.outcome.problems += batch.outcome.problems;
    all.notTrashed += batch.notTrashed;
    if (!batch.trashError.isEmpty())
        all.trashError = batch.trashError;
}

} // namespace

FileCommands::FileCommands(FileList& list, AppState& state, Services& services, LibraryDialogs& dialogs)
    : QObject(&list)
    , m_list(list)
    , m_state(state)
    , m_services(services)
    , m_dialogs(dialogs)
{
}

void FileCommands::DeleteSelectedFiles()
{
    MessageBoxes& boxes = m_services.boxes;
    // The paths are taken before asking: a capture while the question is open refills the list.
    const QStringList paths = m_list.selectedPaths();
    if (paths.isEmpty()) {
        boxes.show(tr("Select file(s) to delete first."), BoxLook::Exclamation);
        return;
    }
    if (boxes.show(tr("Are you sure you want to delete the %n files selected?", nullptr,
                      static_cast<int>(paths.size())),
                   BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    const int row = m_list.currentRow();
    deleteFiles(paths);
    emit refreshRequested(row);
}

void FileCommands::deleteFiles(const QStringList& paths)
{
    MessageBoxes& boxes = m_services.boxes;
    const QString& root = m_state.libraryRoot;
    DeleteOutcome trashed;
    const qsizetype handed =
        RunFileJob(&m_list, tr("Deleting %n files...", nullptr, static_cast<int>(paths.size())), paths,
                   [&trashed, &root](const QStringList& batch) { addTo(trashed, TrashFiles(root, batch)); });
    QStringList problems = trashed.outcome.problems;
    // Stopped by the user, nothing more is done, nor asked.
    if (handed == paths.size() && !trashed.notTrashed.isEmpty()) {
        QStringList names;
        for (const QString& path : std::as_const(trashed.notTrashed))
            names.append(FileNameOf(path));
        if (boxes.show(tr("These files cannot be moved to the trash (%1):\n\n%2\n\nDelete them for good?")
                           .arg(trashed.trashError, names.join(QLatin1Char('\n'))),
                       BoxLook::Exclamation, BoxButtons::YesNo) == BoxAnswer::Yes)
            RunFileJob(&m_list,
                       tr("Deleting %n files...", nullptr, static_cast<int>(trashed.notTrashed.size())),
                       trashed.notTrashed, [&problems, &root](const QStringList& batch) {
                           problems += DeleteFiles(root, batch).outcome.problems;
                       });
    }
    for (const QString& problem : std::as_const(problems))
        boxes.show(problem, BoxLook::Exclamation);
}

void FileCommands::MoveSelectedFiles()
{
    const QStringList paths = m_list.selectedPaths();
    if (paths.isEmpty()) {
        m_services.boxes.show(tr("Select file(s) to relocate first."), BoxLook::Exclamation);
        return;
    }
    const QStringList categories = m_categories ? m_categories->names() : QStringList();
    const std::optional<ImageSetChoice> target = m_dialogs.AskForRelocation(
        m_list.window(),
        {tr("Where should these (%n) files be moved?", nullptr, static_cast<int>(paths.size())), categories,
         m_state.libraryRoot, m_state.currentCategory});
    if (!target || target->imageSet.isEmpty() || target->category.isEmpty())
        return;
    const int row = m_list.currentRow();
    const QString folder = ImageSetFolder(m_state.libraryRoot, target->category, target->imageSet);
    QStringList notMoved;
    QString refusal; // every file of every batch was already there
    bool movedAny = false;
    const qsizetype handed =
        RunFileJob(&m_list, tr("Moving %n files...", nullptr, static_cast<int>(paths.size())), paths,
                   [&notMoved, &refusal, &movedAny, &folder](const QStringList& batch) {
                       const Outcome moved = MoveFilesInto(batch, folder);
                       movedAny = movedAny || moved.done();
                       if (!moved.done())
                           refusal = moved.text;
                       notMoved += moved.problems;
                   });
    if (!movedAny && !refusal.isEmpty()) {
        m_services.boxes.show(refusal, BoxLook::Information);
        return;
    }
    emit refreshRequested(row);
    if (!notMoved.isEmpty())
        m_services.boxes.show(tr("These files were not moved and are still where they were:\n\n") +
                                  notMoved.join(QLatin1Char('\n')),
                              BoxLook::Exclamation);
    else if (handed == paths.size())
        m_services.boxes.show(tr("Done."), BoxLook::NoIcon);
}

void FileCommands::ShowFileOptions()
{
    const int row = m_list.currentRow();
    if (row < 0)
        return;
    // Taken before asking: a capture while the question is open moves the lines.
    const QString path = m_list.files().path(row);
    switch (m_dialogs.AskForFileOption(m_list.window())) {
    case FileOption::Open: {
        MessageBoxes& boxes = m_services.boxes;
        m_services.shell.open(path, [&boxes] {
            boxes.show(tr("I don't know what action to take with the selected file type.  "
                          "Try associating it with a program in your file manager."),
                       BoxLook::Exclamation);
        });
        return;
    }
    case FileOption::Rename:
        renameFile(path, row);
        return;
    case FileOption::Cancel:
        return;
    }
}

void FileCommands::RenameCurrentFile()
{
    const int row = m_list.currentRow();
    if (row >= 0)
        renameFile(m_list.files().path(row), row);
}

void FileCommands::renameFile(const QString& path, int row)
{
    const QString lineText = FileNameOf(path);
    const std::optional<QString> name =
        m_dialogs.AskForName(m_list.window(), tr("New name for %1:").arg(lineText), lineText);
    if (!name || name->isEmpty() || *name == lineText)
        return;
    const Outcome renamed = RenameFile(path, *name);
    if (!renamed.done()) {
        m_services.boxes.show(renamed.text, BoxLook::Exclamation);
        return;
    }
    emit refreshRequested(row);
}
