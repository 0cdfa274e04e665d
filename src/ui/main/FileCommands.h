#pragma once

#include "FileJob.h"

#include <QObject>
#include <QStringList>

class FileList;
class FolderNamesModel;
class LibraryDialogs;
struct AppState;
struct Services;

/// The commands on the files of the main window's list, with their questions and messages:
/// Delete moves the selected files to the trash (for good only once the user agrees), the space
/// bar moves them to another Image Set, a double click or Enter offers to open or rename the
/// current one. Deleting or moving more than a few hundred files runs away from the window's
/// thread behind a progress dialog; its Cancel keeps what was done, and the list shows it.
class FileCommands final : public QObject
{
    Q_OBJECT

public:
    FileCommands(FileList& list, AppState& state, Services& services, LibraryDialogs& dialogs);

    /// The Categories the move dialog offers, in their order.
    void setCategories(const FolderNamesModel* categories) { m_categories = categories; }

    void DeleteSelectedFiles();
    void MoveSelectedFiles();
    void ShowFileOptions();
    /// Asks for a new name for the current file, as the file options' Rename does.
    void RenameCurrentFile();

signals:
    /// Files changed: the window lists the Image Set again and selects line \a row (from 0).
    void refreshRequested(int row);

private:
    /// Renames the file at \a path, shown on line \a row, to the name the user enters.
    void renameFile(const QString& path, int row);
    /// Moves the files to the trash; what it cannot take goes for good only once the user agrees.
    /// Then the list shows what is left, line \a row selected.
    void deleteFiles(const QStringList& paths, int row);
    /// Tells each of \a problems, then has the list show what is left, line \a row selected.
    void tellProblems(const QStringList& problems, int row);
    /// Runs \a work on \a paths as a FileJob whose progress says \a label; \a done gets how many
    /// paths were handed to the work.
    void runJob(const QString& label, const QStringList& paths, FileJob::Work work,
                const std::function<void(qsizetype handed)>& done);

    FileList& m_list;
    AppState& m_state;
    Services& m_services;
    LibraryDialogs& m_dialogs;
    const FolderNamesModel* m_categories = nullptr;
};
