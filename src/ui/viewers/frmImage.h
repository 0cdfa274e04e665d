#pragma once

#include <QImage>
#include <QMainWindow>

class ImageBox;
class QAction;
struct AppState;
struct ViewerPlacement;

/// The image viewer beside the main window: the user sets its width, the picture's shape
/// sets its height.
class frmImage final : public QMainWindow
{
    Q_OBJECT

public:
    frmImage(AppState& state, const QImage& noImages);

    /// Shows the file at \a path, decoded at the size the viewer shows it; a large picture
    /// appears once decoded. One that is no readable picture shows "This picture cannot be shown".
    void showFile(const QString& path);
    /// The empty state: the no-images picture and the stepping commands disabled.
    void showNoImages();
    /// Outlines \a boxes (in the picture's own pixels) on the picture at \a path, while it is
    /// the one shown.
    void outline(const QString& path, const QList<QRect>& boxes);
    void setStepCommandsEnabled(bool enabled);

    /// Gives the picture box the picture's aspect ratio at the chosen width and sizes the window
    /// around it. A picture too tall for the screen's free area is shown smaller, the window's
    /// width following, and the window moves up where its bottom would be out of reach.
    void FitViewerToImage();

    /// Top, left and the chosen width in twips, as the settings file keeps them; a width below
    /// 2000 twips is first set to 5000.
    ViewerPlacement placementForSaving();

    void mnuImgNext_Click();
    void mnuImgPrevious_Click();
    void mnuFirstImage_Click();

signals:
    /// The user asked for the file \a step lines after the current one of the main file list
    /// (before it when negative).
    void stepRequested(int step);
    /// The user asked to make the file shown the intro image of its Image Set.
    void introImageRequested();
    /// The context menu of the picture shown, at \a path, was asked for at \a where (global).
    void menuRequested(const QString& path, const QPoint& where);
    /// Ctrl+C on the picture shown, at \a path.
    void copyRequested(const QString& path);
    /// The picture shown, at \a path, is dragged out of \a box, which shows it as \a picture.
    void dragRequested(const QString& path, QWidget* box, const QImage& picture);
    /// A rectangle was drawn with Shift held over \a area (the picture's own pixels) of the
    /// picture at \a path: its words are to be copied, and outlined.
    void wordsRequested(const QString& path, const QRect& area);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QSize decorations() const;
    int menuHeight() const;
    void setWidthTwips(int twips);
    void pictureDecoded(int request, const QImage& picture);
    /// The picture box's size for a picture of \a natural size: the chosen width, narrower
    /// where the picture would not fit the screen's free area.
    QSize fittedBox(QSize natural) const;

    AppState& m_state;
    QImage m_noImages;
    QString m_path;         // the file shown; empty for the no-images picture
    QSize m_natural;        // its picture's size in the file
    QList<QRect> m_pending; // outlines for a picture still being decoded
    ImageBox* m_imgImageBox;
    QAction* m_mnuImgPrevious;
    QAction* m_mnuImgNext;
    QAction* m_mnuFirstImage;
    QSize m_refusedSize;
    int m_request = 0;     // the last picture asked for
    int m_shown = 0;       // the picture on show
    int m_chosenWidth = 0; // the box's width the user chose, in pixels; kept while tall pictures narrow it
    // The outer size, in twips, that the last fit gave the window.
    int m_scaledWidth = 0;
    int m_scaledHeight = 0;
};
