#pragma once

#include <QListWidget>

class LibraryDialogs;
class QComboBox;
struct AppState;
struct Services;

/// The Image Set's files in the main window (lstComponents): a line per file name, the
/// selection carried over a refill, and the commands on the selected files: Delete deletes
/// them, the space bar moves them to another Image Set, a double click or Enter offers to open
/// or rename the current one.
class FileList final : public QListWidget
{
    Q_OBJECT

public:
    FileList(QWidget* parent, AppState& state, Services& services, LibraryDialogs& dialogs);

    /// The Category list whose names the move dialog offers, in its order.
    void setCategories(const QComboBox* categories) { m_categories = categories; }

    /// Lists the images of the last walk of the Image Set \a folder (fileList) in display order,
    /// their paths into fileListEntries, with refill's selection rules.
    void fill(const QString& folder, int restoreRow);

    /// Replaces the lines by \a names without signals. The current line stays current when its
    /// name is still listed; a \a restoreRow of 1 or more selects that line (or the last one)
    /// instead; with neither, the first line is selected unless some line is.
    void refill(const QStringList& names, int restoreRow);

    /// Puts the line of the screenshot just filed at \a path in its place (while the list holds
    /// fewer than FILEMAX lines), keeping the line that is current; in an empty list it becomes
    /// the current one. False when the list was full.
    bool insertCapture(const QString& path);

    /// Moves the selection from line \a fromRow to line \a toRow without signals; other
    /// selected lines stay selected.
    void moveSelection(int fromRow, int toRow);

    void lstComponents_DblClick();
    void lstComponents_KeyPress(int key);
    void lstComponents_KeyDown(int key);
    void ShowFileOptions();

signals:
    /// Files changed: the window lists the Image Set again and selects line \a row (from 0).
    void refreshRequested(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringList selectedPaths() const;
    void MoveSelectedFiles(const QStringList& paths);
    void renameFile(int row);
    /// Moves the files to the trash; what it cannot take goes for good only once the user agrees.
    void deleteFiles(const QStringList& paths);

    AppState& m_state;
    Services& m_services;
    LibraryDialogs& m_dialogs;
    const QComboBox* m_categories = nullptr;
};
