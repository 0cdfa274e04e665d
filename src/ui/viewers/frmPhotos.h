#pragma once

#include <QDialog>
#include <QImage>

class ImageBox;
class QPushButton;
struct AppState;

/// The thumbnail viewer: thumbnailEntries fifteen to a page. A click steps a cell through its
/// row's images, a double click picks the cell's name and closes the viewer.
class frmPhotos final : public QDialog
{
    Q_OBJECT

public:
    static constexpr int cellCount = 15;

    frmPhotos(AppState& state, const QImage& logo, QWidget* parent);

    /// The name of the cell picked by a double click; empty while none was picked.
    const QString& pickedName() const { return m_pickedName; }

    void FillThumbnailPage();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void CancelButton_Click();
    void imgPhoto_Click(int index);
    void imgPhoto_DblClick(int index);

private:
    void buildControls(const QImage& logo);

    AppState& m_state;
    ImageBox* m_imgPhoto[cellCount] = {};
    QPushButton* m_cmdPrevious = nullptr;
    QPushButton* m_cmdNext = nullptr;
    QString m_pickedName;
};
