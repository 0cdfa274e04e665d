#pragma once

#include "library/Thumbnails.h"

#include <QDialog>

class ImageBox;
class QLabel;
class QPushButton;

/// The thumbnail viewer: its rows fifteen to a page, on a plain dark background. A click steps a
/// cell through its row's images, a double click picks the cell's name and closes the viewer.
/// On a screen too small for its design size the cells shrink until the window fits.
class frmPhotos final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int cellCount = 15;

    frmPhotos(QList<ThumbnailRow> rows, QWidget* parent);

    /// The name of the cell picked by a double click; empty while none was picked.
    const QString& pickedName() const { return m_pickedName; }

    void FillThumbnailPage();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void CancelButton_Click();
    void imgPhoto_Click(int index);
    void imgPhoto_DblClick(int index);

private:
    void buildControls();
    /// Places the controls at \a scale times the design's places and sizes (the words and the
    /// buttons keep at least what their font needs); the size the window then takes.
    QSize placeControls(double scale);
    /// Row \a row (from 1), or null beyond the table.
    const ThumbnailRow* rowAt(int row) const;

    QList<ThumbnailRow> m_rows;
    int m_pageStart = 1;         // row shown in the page's first cell: 1, 16, 31, ...
    int m_slots[cellCount] = {}; // column (from 1) each cell shows; 0 hidden
    ImageBox* m_imgPhoto[cellCount] = {};
    QPushButton* m_cmdPrevious = nullptr;
    QPushButton* m_cmdNext = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_label = nullptr;
    QString m_pickedName;
};
