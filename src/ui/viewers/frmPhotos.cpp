#include "frmPhotos.h"

#include "ImageBox.h"
#include "ThumbnailPicture.h"
#include "library/ImageSetModel.h"
#include "platform/FileSystem.h"
#include "ui/Screens.h"
#include "ui/Twips.h"

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>
#include <cmath>

namespace {

constexpr int clientWidth = 11100;
constexpr int clientHeight = 8310;
constexpr int cellLefts[] = {120, 2880, 5640, 8400};
constexpr int cellTops[] = {120, 2160, 4200, 6240};
constexpr int cellWidth = 2565;
constexpr int cellHeight = 1920;
constexpr int columns = 4;

} // namespace

frmPhotos::frmPhotos(const QAbstractItemModel& rows, int rowLimit, QWidget* parent)
    : QDialog(parent)
    , m_rows(rows)
    , m_rowLimit(rowLimit)
{
    setObjectName(QStringLiteral("frmPhotos"));
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(64, 64, 64));
    setPalette(dark);
    setAutoFillBackground(true);
    buildControls();
    const QScreen* display = ScreenFor(parent);
    const QSize room = RoomOnScreen(display);
    QSize size = placeControls(1.0);
    for (double scale = 0.95; (size.width() > room.width() || size.height() > room.height()) && scale > 0.2;
         scale -= 0.05)
        size = placeControls(scale);
    setFixedSize(size);
    CentreOnScreen(*this, display);

    FillThumbnailPage();
}

void frmPhotos::buildControls()
{
    for (int index = 0; index < cellCount; ++index) {
        auto* cell = new ImageBox(this);
        cell->setObjectName(QStringLiteral("imgPhoto"));
        cell->setProperty("index", index);
        cell->setTakesDoubleClicks(true);
        cell->setKeepsShape(true);
        // Each thumbnail is reached with Tab: Space steps through it, Enter chooses it.
        cell->setFocusPolicy(Qt::StrongFocus);
        cell->setAccessibleDescription(tr("Space shows the next picture, Enter chooses this one"));
        connect(cell, &ImageBox::clicked, this, [this, index] { imgPhoto_Click(index); });
        connect(cell, &ImageBox::doubleClicked, this, [this, index] { imgPhoto_DblClick(index); });
        connect(cell, &ImageBox::dragStarted, this, [this, index] {
            emit dragRequested(pictureOf(index), m_imgPhoto[index], m_imgPhoto[index]->picture());
        });
        cell->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(cell, &QWidget::customContextMenuRequested, this, [this, index](const QPoint& at) {
            m_current = index;
            emit menuRequested(pictureOf(index), m_imgPhoto[index]->mapToGlobal(at));
        });
        m_imgPhoto[index] = cell;
    }

    m_label = new QLabel(
        tr("Click image to see next.  Double click image to select. Hover over image to see name."), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->setStyleSheet(QStringLiteral("color: rgb(224, 224, 224); background: rgb(64, 64, 64);"));

    m_cmdPrevious = new QPushButton(QStringLiteral("&<--"), this);
    m_cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
    m_cmdNext = new QPushButton(QStringLiteral("--&>"), this);
    m_cmdNext->setObjectName(QStringLiteral("cmdNext"));
    // The arrows' captions read as punctuation.
    m_cmdPrevious->setAccessibleName(tr("Previous page"));
    m_cmdNext->setAccessibleName(tr("Next page"));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelButton"));

    connect(m_cmdPrevious, &QPushButton::clicked, this, &frmPhotos::cmdPrevious_Click);
    connect(m_cmdNext, &QPushButton::clicked, this, &frmPhotos::cmdNext_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmPhotos::CancelButton_Click);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, [this] {
        // The thumbnail that has the focus, else the one clicked last.
        if (const auto* focused = qobject_cast<const ImageBox*>(focusWidget()))
            m_current = focused->property("index").toInt();
        if (const QString picture = pictureOf(m_current); !picture.isEmpty())
            emit copyRequested(picture);
    });
}

QSize frmPhotos::placeControls(double scale)
{
    const auto scaled = [scale](int twips) {
        return static_cast<int>(std::lround(TwipsToPixels(twips) * scale));
    };
    for (int index = 0; index < cellCount; ++index)
        m_imgPhoto[index]->setGeometry(scaled(cellLefts[index % columns]), scaled(cellTops[index / columns]),
                                       scaled(cellWidth), scaled(cellHeight));
    // The words take the lines the font needs, in a column at least a quarter of their length
    // wide, so that they do not run into a tower where the cells shrink; the buttons follow
    // below them, and the window grows when they would pass its design size.
    const int wordsWidth =
        std::max(scaled(2535), m_label->fontMetrics().horizontalAdvance(m_label->text()) / 4);
    QRect words(scaled(8400), scaled(6240), wordsWidth, scaled(1095));
    words.setHeight(std::max(words.height(), m_label->heightForWidth(words.width())));
    m_label->setGeometry(words);
    const int buttonHeight = std::max(scaled(375), m_cancel->sizeHint().height());
    const int buttonsTop = std::max(scaled(7320), words.bottom() + 1);
    const int stepWidth = std::max(scaled(1095), m_cmdNext->minimumSizeHint().width());
    m_cmdPrevious->setGeometry(words.left(), buttonsTop, stepWidth, buttonHeight);
    m_cmdNext->setGeometry(words.right() + 1 - stepWidth, buttonsTop, stepWidth, buttonHeight);
    m_cancel->setGeometry(words.left(), buttonsTop + buttonHeight + scaled(105), words.width(), buttonHeight);
    return {std::max(scaled(clientWidth), words.right() + 1 + scaled(165)),
            std::max(scaled(clientHeight), m_cancel->geometry().bottom() + 1 + scaled(120))};
}

frmPhotos::~frmPhotos()
{
    // The pictures not begun are not wanted any more; those being decoded are awaited.
    m_decoding.clear();
    m_decoding.waitForDone();
}

void frmPhotos::showThumbnail(int index, const QString& path)
{
    ImageBox* cell = m_imgPhoto[index];
    const QSize size = cell->size() * cell->devicePixelRatio();
    const int request = ++m_requests[index];
    QFile file;
    const QSize natural = OpenRegularFile(file, path) ? QImageReader(&file).size() : QSize();
    if (!natural.isValid() || qint64(natural.width()) * natural.height() <= DecodedInPlace) {
        cell->setPicture(LoadThumbnail(path, size));
        return;
    }
    // A page of screenshots takes seconds to decode: the window, and a SIGTERM, do not wait.
    cell->setPicture(QImage());
    m_decoding.start([this, index, path, size, request] {
        QImage picture = LoadThumbnail(path, size);
        QMetaObject::invokeMethod(
            this,
            [this, index, request, picture = std::move(picture)] {
                if (request == m_requests[index])
                    m_imgPhoto[index]->setPicture(picture);
            },
            Qt::QueuedConnection);
    });
}

void frmPhotos::FillThumbnailPage()
{
    m_current = 0;
    std::fill(std::begin(m_slots), std::end(m_slots), 0);
    m_cmdNext->setEnabled(false);
    m_cmdPrevious->setEnabled(false);
    for (int index = 0; index < cellCount; ++index) {
        ImageBox* cell = m_imgPhoto[index];
        m_shown[index] = rowAt(index);
        const QStringList images = imagesOf(index);
        if (images.isEmpty()) {
            cell->hide();
            cell->setPicture(QImage());
            continue;
        }
        showThumbnail(index, images.first());
        cell->setToolTip(m_shown[index].data().toString());
        cell->setAccessibleName(m_shown[index].data().toString());
        cell->show();
        m_slots[index] = 1;
    }
    m_cmdNext->setEnabled(rowAt(cellCount).isValid());
    m_cmdPrevious->setEnabled(rowAt(-1).isValid());
}

void frmPhotos::cmdNext_Click()
{
    m_pageStart += cellCount;
    FillThumbnailPage();
}

void frmPhotos::cmdPrevious_Click()
{
    m_pageStart -= cellCount;
    FillThumbnailPage();
}

void frmPhotos::CancelButton_Click()
{
    reject();
}

void frmPhotos::imgPhoto_Click(int index)
{
    m_current = index;
    const QStringList images = imagesOf(index);
    if (images.isEmpty())
        return;
    // The next image of the row, the first after the last.
    const int shown = m_slots[index];
    const int column = shown >= 0 && shown < images.size() ? shown + 1 : 1;
    showThumbnail(index, images.at(column - 1));
    m_slots[index] = column;
}

void frmPhotos::imgPhoto_DblClick(int index)
{
    if (!m_shown[index].isValid())
        return;
    m_pickedName = m_shown[index].data().toString();
    m_picked = m_shown[index];
    accept();
}

QModelIndex frmPhotos::rowAt(int offset) const
{
    const int row = m_pageStart + offset;
    if (row < 0 || row >= std::min(m_rowLimit, m_rows.rowCount()))
        return {};
    return m_rows.index(row, 0);
}

QStringList frmPhotos::imagesOf(int index) const
{
    return m_shown[index].data(ImageSetModel::ImagesRole).toStringList();
}

QString frmPhotos::pictureOf(int index) const
{
    return m_slots[index] > 0 ? imagesOf(index).value(m_slots[index] - 1) : QString();
}
