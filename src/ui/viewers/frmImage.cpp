#include "frmImage.h"

#include "ImageBox.h"
#include "ThumbnailPicture.h"
#include "core/AppState.h"
#include "core/SettingsFile.h"
#include "library/LibraryTree.h"
#include "platform/FileSystem.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QImageReader>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QThreadPool>
#include <algorithm>
#include <cmath>

namespace {

constexpr int designClientWidth = 9135;
constexpr int designClientHeight = 6165;

QImage decodeAt(const QString& path, QSize size)
{
    // A link to a pipe is never opened for reading: that would wait for ever.
    QFile file;
    if (!OpenRegularFile(file, path))
        return {};
    QImageReader reader(&file);
    if (size.isValid())
        reader.setScaledSize(size);
    return reader.read();
}

} // namespace

frmImage::frmImage(AppState& state, const QImage& noImages)
    : QMainWindow(nullptr,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint)
    , m_state(state)
    , m_noImages(noImages)
    , m_imgImageBox(new ImageBox(this))
{
    setObjectName(QStringLiteral("frmImage"));
    setWindowTitle(tr("Vistrelle Image Viewer (resize horizontally)"));

    m_mnuImgPrevious = menuBar()->addAction(QStringLiteral("&<--"));
    m_mnuImgPrevious->setObjectName(QStringLiteral("mnuImgPrevious"));
    m_mnuImgNext = menuBar()->addAction(QStringLiteral("--&>"));
    m_mnuImgNext->setObjectName(QStringLiteral("mnuImgNext"));
    m_mnuFirstImage = menuBar()->addAction(tr("&Intro Image"));
    m_mnuFirstImage->setObjectName(QStringLiteral("mnuFirstImage"));

    m_imgImageBox->setObjectName(QStringLiteral("imgImageBox"));
    setCentralWidget(m_imgImageBox);
    // The picture takes the focus, so the keyboard reaches it: Space shows the next file, the
    // menu key opens its context menu; a screen reader hears the file's name (its tooltip).
    m_imgImageBox->setFocusPolicy(Qt::StrongFocus);
    m_imgImageBox->setAccessibleName(tr("Picture"));
    m_mnuImgPrevious->setShortcuts({QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)});
    m_mnuImgNext->setShortcuts({QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)});

    resize(TwipsToPixels(designClientWidth), TwipsToPixels(designClientHeight) + menuHeight());
    m_imgImageBox->setPicture(m_noImages);
    setWidthTwips(UsableViewerWidth(m_state.settings.imageViewerWidth, ScreensWidthTwips()));
    // Kept on the screens at the width it opens with, not the wider one it is designed with.
    const QPoint kept(TwipsToPixels(m_state.settings.imageViewerLeft),
                      TwipsToPixels(m_state.settings.imageViewerTop));
    move(OnScreens(QRect(kept, size())));

    connect(m_mnuImgNext, &QAction::triggered, this, &frmImage::mnuImgNext_Click);
    connect(m_imgImageBox, &ImageBox::clicked, this, &frmImage::mnuImgNext_Click);
    connect(m_mnuImgPrevious, &QAction::triggered, this, &frmImage::mnuImgPrevious_Click);
    connect(m_mnuFirstImage, &QAction::triggered, this, &frmImage::mnuFirstImage_Click);

    // The picture shown can be copied, dragged out, and its words copied, all of them or
    // those within a rectangle drawn with Shift held.
    m_imgImageBox->setSelectsAreas(true);
    m_imgImageBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_imgImageBox, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!m_path.isEmpty())
            emit menuRequested(m_path, m_imgImageBox->mapToGlobal(at));
    });
    connect(m_imgImageBox, &ImageBox::dragStarted, this, [this] {
        if (!m_path.isEmpty())
            emit dragRequested(m_path, m_imgImageBox, m_imgImageBox->picture());
    });
    connect(m_imgImageBox, &ImageBox::areaSelected, this, [this](const QRect& area) {
        if (!m_path.isEmpty())
            emit wordsRequested(m_path, area);
    });
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, [this] {
        if (!m_path.isEmpty())
            emit copyRequested(m_path);
    });
}

void frmImage::showFile(const QString& path)
{
    const int request = ++m_request;
    m_path = path;
    m_pending.clear();
    m_imgImageBox->setToolTip(FileNameOf(path));
    QFile file;
    const QSize natural = OpenRegularFile(file, path) ? QImageReader(&file).size() : QSize();
    m_natural = natural;
    // Decoded no larger than the box shows it; a large picture away from the window, so that
    // choosing it never holds the window up.
    QSize size;
    if (!natural.isEmpty()) {
        const QSize shown = fittedBox(natural) * devicePixelRatioF();
        if (shown.width() < natural.width())
            size = natural.scaled(shown, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    }
    if (!natural.isValid() || qint64(natural.width()) * natural.height() <= DecodedInPlace) {
        pictureDecoded(request, decodeAt(path, size));
        return;
    }
    QThreadPool::globalInstance()->start([viewer = QPointer<frmImage>(this), path, size, request] {
        QImage picture = decodeAt(path, size);
        QMetaObject::invokeMethod(
            qApp,
            [viewer, request, picture = std::move(picture)] {
                if (viewer)
                    viewer->pictureDecoded(request, picture);
            },
            Qt::QueuedConnection);
    });
}

void frmImage::pictureDecoded(int request, const QImage& picture)
{
    // A picture chosen since wins over one still being decoded.
    if (request != m_request)
        return;
    m_shown = request;
    if (picture.isNull())
        m_imgImageBox->setPicture(UnreadablePicture(QSize(400, 300)));
    else
        m_imgImageBox->setPicture(picture, m_natural);
    m_imgImageBox->setOutlines(std::exchange(m_pending, {}));
    FitViewerToImage();
}

void frmImage::outline(const QString& path, const QList<QRect>& boxes)
{
    if (path != m_path)
        return;
    // A large picture is decoded away from the window: its outlines wait for it.
    if (m_request != m_shown)
        m_pending = boxes;
    else
        m_imgImageBox->setOutlines(boxes);
}

void frmImage::showNoImages()
{
    m_path.clear();
    m_pending.clear();
    m_imgImageBox->setPicture(m_noImages);
    m_imgImageBox->setToolTip(tr("No images currently available for viewing."));
    setStepCommandsEnabled(false);
}

void frmImage::setStepCommandsEnabled(bool enabled)
{
    m_mnuImgNext->setEnabled(enabled);
    m_mnuImgPrevious->setEnabled(enabled);
    m_mnuFirstImage->setEnabled(enabled);
}

QSize frmImage::fittedBox(QSize natural) const
{
    const double ratio = static_cast<double>(natural.width()) / natural.height();
    const QSize frame = decorations() + QSize(0, menuHeight());
    // However flat or narrow the picture, at least one line of it stays visible.
    const auto heightAt = [ratio](int width) {
        return std::max(1, static_cast<int>(std::lrint(static_cast<float>(width / ratio))));
    };
    int boxWidth = m_chosenWidth;
    int boxHeight = heightAt(boxWidth);
    const QScreen* display = screen();
    const QRect free = display ? display->availableGeometry() : QRect();
    if (!free.isEmpty()) {
        boxWidth = std::min(boxWidth, std::max(1, free.width() - frame.width()));
        boxHeight = heightAt(boxWidth);
        const int highest = std::max(1, free.height() - frame.height());
        if (boxHeight > highest) {
            boxHeight = highest;
            boxWidth = std::max(1, static_cast<int>(std::lrint(boxHeight * ratio)));
        }
    }
    return {boxWidth, boxHeight};
}

void frmImage::FitViewerToImage()
{
    const QSize natural = m_imgImageBox->picture().size();
    if (natural.isEmpty())
        return;
    const QSize box = fittedBox(natural);
    const QSize frame = decorations() + QSize(0, menuHeight());
    m_scaledWidth = PixelsToTwips(box.width() + frame.width());
    m_scaledHeight = PixelsToTwips(box.height() + frame.height());
    resize(box.width(), box.height() + menuHeight());
    const QScreen* display = screen();
    const QRect free = display ? display->availableGeometry() : QRect();
    const int outerHeight = box.height() + frame.height();
    if (!free.isEmpty() && pos().y() + outerHeight > free.bottom() + 1)
        move(pos().x(), std::max(free.top(), free.bottom() + 1 - outerHeight));
}

ViewerPlacement frmImage::placementForSaving()
{
    const int twips = PixelsToTwips(m_chosenWidth);
    if (const int usable = UsableViewerWidth(twips, ScreensWidthTwips()); usable != twips)
        setWidthTwips(usable);
    return {PixelsToTwips(pos().y()), PixelsToTwips(pos().x()), PixelsToTwips(m_chosenWidth)};
}

void frmImage::mnuImgNext_Click()
{
    emit stepRequested(1);
}

void frmImage::mnuImgPrevious_Click()
{
    emit stepRequested(-1);
}

void frmImage::mnuFirstImage_Click()
{
    emit introImageRequested();
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
    m_chosenWidth = width();
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
    m_chosenWidth = TwipsToPixels(twips);
    resize(m_chosenWidth, height());
}
