#pragma once

#include "library/IndexSearch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class FoundPicturesModel;
class QListView;
class QWidget;
class ReaderWorker;
struct AppState;

/// Find in the main window: the box (txtFind), the scope (cboFindScope), the pictures found
/// (lstFound), shown in the file list's place while words are typed, and the status line with
/// the reading's progress (lblReading). Ctrl+F goes to the box; Esc clears it and gives the
/// file list back.
class FindPanel final : public QObject
{
    Q_OBJECT

public:
    FindPanel(QWidget* window, AppState& state, ReaderWorker& reading);

    /// Puts the controls in the window's \a grid: the box and the status line in rows of their
    /// own below the rest, the list of pictures found over \a fileList, which \a listLabel then
    /// labels in its place.
    void placeIn(QGridLayout* grid, QWidget* fileList, QLabel* listLabel);
    /// The status line says whether reading is paused.
    void showProgress();
    /// The library may have changed outside the program: it is walked again.
    void walkLibrary();
    /// The pictures found are looked for again, after files changed.
    void refresh();
    /// The words typed into the box.
    QString words() const;

    QLineEdit* txtFind = nullptr;
    QComboBox* cboFindScope = nullptr;
    QLabel* lblFindScope = nullptr;
    QListView* lstFound = nullptr;
    QLabel* lblReading = nullptr;

signals:
    /// The user chose a picture found: the window shows its Image Set and selects it.
    void chosen(const FoundPicture& found);
    /// The context menu of the picture found at \a path, at \a where (global).
    void menuRequested(const QString& path, const QPoint& where);
    /// Ctrl+C on the picture found at \a path.
    void copyRequested(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search();
    void clear();
    QString scopeFolder() const;

    AppState& m_state;
    ReaderWorker& m_reading;
    // Shows the pictures found, or the file list, where both stand.
    void showFound(bool shown);

    QWidget* m_fileList = nullptr;
    QLabel* m_listLabel = nullptr;
    FoundPicturesModel* m_found;
    bool m_indexOpened = true; // the last search could open the index
    QTimer m_typing;           // a search waits until typing pauses
    QElapsedTimer m_sinceWalk; // the library is walked again before a search after a while
};
