#include "frmImage.h"

#include "ImageBox.h"
#include "ImageViewerSteps.h"
#include "ThumbnailPicture.h"
#include "core/AppState.h"
#include "core/SettingsFile.h"
#include "library/IntroImage.h"
#include "library/LibraryTree.h"
#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QMenuBar>
#include <algorithm>
#include <cmath>

namespace {

constexpr int designClientWidth = 9135;
constexpr int designClientHeight = 6165;

} // namespace

frmImage::frmImage(AppState& state, MessageBoxes& boxes, const QImage& noImages)
    : QMainWindow(nullptr,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint)
    , m_state(state)
    , m_boxes(boxes)
    , m_noImages(noImages)
    , m_imgImageBox(new ImageBox(this))
{
    setObjectName(QStringLiteral("frmImage"));
    setWindowTitle(QStringLiteral("Vistrelle Image Viewer (resize horizontally)"));

    m_mnuImgPrevious = menuBar()->addAction(QStringLiteral("&<--"));
    m_mnuImgPrevious->setObjectName(QStringLiteral("mnuImgPrevious"));
    m_mnuImgNext = menuBar()->addAction(QStringLiteral("--&>"));
    m_mnuImgNext->setObjectName(QStringLiteral("mnuImgNext"));
    m_mnuFirstImage = menuBar()->addAction(QStringLiteral("&Intro Image"));
    m_mnuFirstImage->setObjectName(QStringLiteral("mnuFirstImage"));

    m_imgImageBox->setObjectName(QStringLiteral("imgImageBox"));
    setCentralWidget(m_imgImageBox);

    resize(TwipsToPixels(designClientWidth), TwipsToPixels(designClientHeight) + menuHeight());
    const QPoint kept(TwipsToPixels(m_state.settings.imageViewerLeft),
                      TwipsToPixels(m_state.settings.imageViewerTop));
    move(OnScreens(QRect(kept, size())));
    m_imgImageBox->setPicture(m_noImages);
    setWidthTwips(UsableViewerWidth(m_state.settings.imageViewerWidth, ScreensWidthTwips()));

    connect(m_mnuImgNext, &QAction::triggered, this, &frmImage::mnuImgNext_Click);
    connect(m_imgImageBox, &ImageBox::clicked, this, &frmImage::mnuImgNext_Click);
    connect(m_mnuImgPrevious, &QAction::triggered, this, &frmImage::mnuImgPrevious_Click);
    connect(m_mnuFirstImage, &QAction::triggered, this, &frmImage::mnuFirstImage_Click);
}

void frmImage::showFile(const QString& path)
{
    QFile file;
    const QImage picture = OpenRegularFile(file, path) ? QImageReader(&file).read() : QImage();
    m_imgImageBox->setPicture(picture.isNull() ? UnreadablePicture(QSize(400, 300)) : picture);
    m_imgImageBox->setToolTip(FileNameOf(path));
}

void frmImage::showNoImages()
{
    m_imgImageBox->setPicture(m_noImages);
    m_imgImageBox->setToolTip(QStringLiteral("No images currently available for viewing."));
    setStepCommandsEnabled(false);
}

void frmImage::setStepCommandsEnabled(bool enabled)
{
    m_mnuImgNext->setEnabled(enabled);
    m_mnuImgPrevious->setEnabled(enabled);
    m_mnuFirstImage->setEnabled(enabled);
}

void frmImage::FitViewerToImage()
{
    const QSize natural = m_imgImageBox->picture().size();
    if (natural.height() <= 0)
        return;
    const double ratio = static_cast<double>(natural.width()) / natural.height();
    const int boxWidth = width();
    // However flat the picture, at least one line of it stays visible.
    const int boxHeight = std::max(1, static_cast<int>(std::lrint(static_cast<float>(boxWidth / ratio))));
    const QSize frame = decorations() + QSize(0, menuHeight());
    m_scaledWidth = PixelsToTwips(boxWidth + frame.width());
    m_scaledHeight = PixelsToTwips(boxHeight + frame.height());
    resize(boxWidth, boxHeight + menuHeight());
}

ViewerPlacement frmImage::placementForSaving()
{
    const int twips = PixelsToTwips(width());
    if (const int usable = UsableViewerWidth(twips, ScreensWidthTwips()); usable != twips)
        setWidthTwips(usable);
    return {PixelsToTwips(pos().y()), PixelsToTwips(pos().x()), PixelsToTwips(width())};
}

void frmImage::mnuImgNext_Click()
{
    stepTo(NextFileIndex(m_state));
}

void frmImage::mnuImgPrevious_Click()
{
    stepTo(PreviousFileIndex(m_state));
}

void frmImage::stepTo(int fileIndex)
{
    if (fileIndex >= 1)
        emit stepRequested(m_state.currentFileIndex - 1, fileIndex - 1);
}

void frmImage::mnuFirstImage_Click()
{
    // The file list is not refilled: it shows the new names from the next refresh on, while
    // fileListEntries already holds them.
    const Outcome renamed = MakeIntroImage(m_state);
    if (renamed.done())
        m_boxes.show(QStringLiteral("Done.\n\nThis image will now be the first to be displayed "
                                    "for this image set."),
                     BoxLook::NoIcon);
    else
        m_boxes.show(renamed.text, BoxLook::Exclamation);
}

void frmImage::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const QSize outer = size() + decorations();
    if (PixelsToTwips(outer.width()) == m_scaledWidth && PixelsToTwips(outer.height()) == m_scaledHeight) {
        m_refusedSize = QSize();
        return;
    }
    // A window manager that will not give the fitted size answers with the same size again;
    // asking once more would loop for ever.
    if (size() == m_refusedSize)
        return;
    m_refusedSize = size();
    FitViewerToImage();
}

void frmImage::closeEvent(QCloseEvent* event)
{
    // The viewer lives and dies with the main window; closing that one closes both.
    if (event->spontaneous())
        event->ignore();
}

QSize frmImage::decorations() const
{
    return frameGeometry().size() - geometry().size();
}

int frmImage::menuHeight() const
{
    const int height = menuBar()->heightForWidth(width());
    return height > 0 ? height : menuBar()->sizeHint().height();
}

void frmImage::setWidthTwips(int twips)
{
    resize(TwipsToPixels(twips), height());
}
