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

#include <memory>

namespace {

void addTo(DeleteOutcome& all, const DeleteOutcome& batch)
{
    all.outcome.problems += batch.outcome.problems;
    all.notTrashed += batch.notTrashed;
    if (!batch.trashError.isEmpty())
        all.trashError = batch.trashError;
}

bool askDeleteForGood(MessageBoxes& boxes, const DeleteOutcome& trashed)
{
    QStringList names;
    for (const QString& path : trashed.notTrashed)
        names.append(FileNameOf(path));
    return boxes.show(FileCommands::tr("These files cannot be moved to the trash (%1):\n\n%2\n\nDelete them "
                                       "for good?")
                          .arg(trashed.trashError, names.join(QLatin1Char('\n'))),
                      BoxLook::Exclamation, BoxButtons::YesNo) == BoxAnswer::Yes;
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
    deleteFiles(paths, m_list.currentRow());
}

void FileCommands::runJob(const QString& label, const QStringList& paths, FileJob::Work work,
                          const std::function<void(qsizetype handed)>& done)
{
    auto* job = new FileJob(&m_list, label, paths, std::move(work), this);
    connect(job, &FileJob::finished, this, done);
    job->start();
}

void FileCommands::deleteFiles(const QStringList& paths, int row)
{
    // What the batches did, kept until the last of them is through.
    const auto trashed = std::make_shared<DeleteOutcome>();
    runJob(
        tr("Deleting %n files...", nullptr, static_cast<int>(paths.size())), paths,
        [trashed, root = m_state.libraryRoot](const QStringList& batch) {
            addTo(*trashed, TrashFiles(root, batch));
        },
        [this, trashed, all = paths.size(), row](qsizetype handed) {
            // Stopped by the user, nothing more is done, nor asked.
            if (handed < all || trashed->notTrashed.isEmpty() ||
                !askDeleteForGood(m_services.boxes, *trashed)) {
                tellProblems(trashed->outcome.problems, row);
                return;
            }
            const auto problems = std::make_shared<QStringList>(trashed->outcome.problems);
            runJob(
                tr("Deleting %n files...", nullptr, static_cast<int>(trashed->notTrashed.size())),
                trashed->notTrashed,
                [problems, root = m_state.libraryRoot](const QStringList& batch) {
                    *problems += DeleteFiles(root, batch).outcome.problems;
                },
                [this, problems, row](qsizetype) { tellProblems(*problems, row); });
        });
}

void FileCommands::tellProblems(const QStringList& problems, int row)
{
    for (const QString& problem : problems)
        m_services.boxes.show(problem, BoxLook::Exclamation);
    emit refreshRequested(row);
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
    struct Moved
    {
        QStringList notMoved;
        QString refusal; // every file of every batch was already there
        bool any = false;
    };
    const auto moved = std::make_shared<Moved>();
    runJob(
        tr("Moving %n files...", nullptr, static_cast<int>(paths.size())), paths,
        [moved, folder = ImageSetFolder(m_state.libraryRoot, target->category, target->imageSet)](
            const QStringList& batch) {
            const Outcome outcome = MoveFilesInto(batch, folder);
            moved->any = moved->any || outcome.done();
            if (!outcome.done())
                moved->refusal = outcome.text;
            moved->notMoved += outcome.problems;
        },
        [this, moved, all = paths.size(), row = m_list.currentRow()](qsizetype handed) {
            if (!moved->any && !moved->refusal.isEmpty()) {
                m_services.boxes.show(moved->refusal, BoxLook::Information);
                return;
            }
            emit refreshRequested(row);
            if (!moved->notMoved.isEmpty())
                m_services.boxes.show(tr("These files were not moved and are still where they were:\n\n") +
                                          moved->notMoved.join(QLatin1Char('\n')),
                                      BoxLook::Exclamation);
            else if (handed == all)
                m_services.boxes.show(tr("Done."), BoxLook::NoIcon);
        });
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
