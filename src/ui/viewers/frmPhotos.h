#pragma once

#include <QDialog>
#include <QPersistentModelIndex>
#include <QThreadPool>

class ImageBox;
class QAbstractItemModel;
class QLabel;
class QPushButton;

/// The thumbnail viewer: the rows of a model fifteen to a page, on a plain dark background, each
/// shown by the first of the paths its ImagesRole gives and named by its display text. A click
/// steps a cell through its row's images, a double click picks the cell's row and closes the
/// viewer. The model may change while the viewer is open: a pick still names the row the cell
/// showed. On a screen too small for its design size the cells shrink until the window fits.
class frmPhotos final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int cellCount = 15;

    /// Pages through the first \a rowLimit rows of \a rows.
    frmPhotos(const QAbstractItemModel& rows, int rowLimit, QWidget* parent);
    ~frmPhotos() override;
    frmPhotos(const frmPhotos&) = delete;
    frmPhotos& operator=(const frmPhotos&) = delete;

    /// The name of the cell picked by a double click; empty while none was picked.
    const QString& pickedName() const { return m_pickedName; }
    /// The row of the cell picked, as it stands now; -1 while none was picked or the row is gone.
    int pickedRow() const { return m_picked.isValid() ? m_picked.row() : -1; }

    void FillThumbnailPage();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void CancelButton_Click();
    void imgPhoto_Click(int index);
    void imgPhoto_DblClick(int index);

signals:
    /// The context menu of the picture at \a path was asked for at \a where (global).
    void menuRequested(const QString& path, const QPoint& where);
    /// Ctrl+C: the picture the cell clicked last shows, at \a path.
    void copyRequested(const QString& path);
    /// The picture at \a path, shown as \a picture, is dragged out of \a cell.
    void dragRequested(const QString& path, QWidget* cell, const QImage& picture);

private:
    void buildControls();
    /// Places the controls at \a scale times the design's places and sizes (the words and the
    /// buttons keep at least what their font needs); the size the window then takes.
    QSize placeControls(double scale);
    /// The row shown \a offset rows from the page's first cell, as it is now; invalid beyond the rows.
    QModelIndex rowAt(int offset) const;
    QStringList imagesOf(int index) const;
    /// The picture cell \a index shows; empty for a hidden cell.
    QString pictureOf(int index) const;
    /// Shows the picture at \a path in cell \a index.
    void showThumbnail(int index, const QString& path);

    const QAbstractItemModel& m_rows;
    int m_rowLimit;
    int m_current = 0;                        // the cell clicked last: Ctrl+C copies its picture
    int m_pageStart = 0;                      // row shown in the page's first cell: 0, 15, 30, ...
    QPersistentModelIndex m_shown[cellCount]; // the row each cell shows
    int m_slots[cellCount] = {};              // column (from 1) each cell shows; 0 hidden
    ImageBox* m_imgPhoto[cellCount] = {};
    int m_requests[cellCount] = {}; // the last picture each cell asked for: one decoded later loses
    QThreadPool m_decoding;         // the large pictures of the page
    QPushButton* m_cmdPrevious = nullptr;
    QPushButton* m_cmdNext = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_label = nullptr;
    QString m_pickedName;
    QPersistentModelIndex m_picked;
};
