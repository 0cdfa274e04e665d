#pragma once

#include <QImage>
#include <QMainWindow>

class ImageBox;
class MessageBoxes;
class QAction;
struct AppState;
struct ViewerPlacement;

/// The image viewer beside the main window: the user sets its width, the picture's shape
/// sets its height.
class frmImage final : public QMainWindow
{
    Q_OBJECT

public:
    frmImage(AppState& state, MessageBoxes& boxes, const QImage& noImages);

    /// Shows the file at \a path; one that is no readable picture shows "This picture cannot be shown".
    void showFile(const QString& path);
    /// The empty state: the no-images picture and the stepping commands disabled.
    void showNoImages();
    void setStepCommandsEnabled(bool enabled);

    /// Gives the picture box the picture's aspect ratio at the box's width and sizes the
    /// window around it.
    void FitViewerToImage();

    /// Top, left and width in twips, as the settings file keeps them; a width below 2000
    /// twips is first set to 5000.
    ViewerPlacement placementForSaving();

    void mnuImgNext_Click();
    void mnuImgPrevious_Click();
    void mnuFirstImage_Click();

signals:
    /// The user stepped from line \a fromRow of the main file list to line \a toRow (from 0).
    void stepRequested(int fromRow, int toRow);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QSize decorations() const;
    int menuHeight() const;
    void setWidthTwips(int twips);
    void stepTo(int fileIndex);

    AppState& m_state;
    MessageBoxes& m_boxes;
    QImage m_noImages;
    ImageBox* m_imgImageBox;
    QAction* m_mnuImgPrevious;
    QAction* m_mnuImgNext;
    QAction* m_mnuFirstImage;
    QSize m_refusedSize;
    // The outer size, in twips, that the last fit gave the window.
    int m_scaledWidth = 0;
    int m_scaledHeight = 0;
};
