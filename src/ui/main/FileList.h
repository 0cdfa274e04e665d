#pragma once

#include <QListView>

class ImageSetModel;

/// The Image Set's files in the main window (lstComponents): a line per image, in display order,
/// with several lines selectable. It keeps the current line over a refill; the keys of the file
/// commands and a double click come out as signals.
class FileList final : public QListView
{
    Q_OBJECT

public:
    explicit FileList(QWidget* parent);

    /// The lines' files, which the viewers page through as well.
    ImageSetModel& files() const { return *m_files; }
    /// The current line, from 0; -1 when there is none.
    int currentRow() const { return currentIndex().row(); }
    /// The files of the selected lines, in the list's order.
    QStringList selectedPaths() const;

    /// Lists \a images of the Image Set \a folder: the first \a capacity as given, in display order.
    /// The current line stays current when its name is still listed; a \a restoreRow of 1 or more
    /// selects that line (or the last one) as well, and makes it the current one; with neither,
    /// the first line is selected.
    void fill(const QString& folder, QStringList images, qsizetype capacity, int restoreRow);

    /// Puts the line of the screenshot just filed at \a path in its place, while the list holds
    /// fewer than \a capacity lines, keeping the line that is current; in an empty list it becomes
    /// the current one. False when the list was full.
    bool insertCapture(const QString& path, qsizetype capacity);

    /// Takes the lines of \a paths out, as another program removed their files. When the current
    /// line was among them, the line after it (or the last) becomes the current one, selected
    /// alone: true then.
    bool removeFiles(const QStringList& paths);

    /// Moves the selection from line \a fromRow to line \a toRow; other selected lines stay
    /// selected.
    void moveSelection(int fromRow, int toRow);
    /// Selects the lines \a rows alone, the first of them the current one, in view.
    void selectOnly(const QList<int>& rows);

signals:
    /// The user made line \a row current (a click, the arrow keys).
    void currentFileChanged(int row);
    void deleteKeyPressed();
    void spaceKeyPressed();
    /// A double click, or Enter.
    void fileOptionsRequested();
    /// Ctrl+C.
    void copyRequested();
    /// The context menu of the selected lines, at \a where (global).
    void menuRequested(const QPoint& where);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    /// Makes line \a row current, selecting it as \a command says.
    void makeCurrent(int row, QItemSelectionModel::SelectionFlags command);

    ImageSetModel* m_files;
    bool m_quiet = false; // set while the program moves the current line
};
