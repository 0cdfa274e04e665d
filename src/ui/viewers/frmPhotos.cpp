#include "frmPhotos.h"

#include "ImageBox.h"
#include "ThumbnailPicture.h"
#include "library/ImageSetModel.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int clientWidth = 11100;
constexpr int clientHeight = 8310;
constexpr int cellLefts[] = {120, 2880, 5640, 8400};
constexpr int cellTops[] = {120, 2160, 4200, 6240};
constexpr int cellWidth = 2565;
constexpr int cellHeight = 1920;
constexpr int columns = 4;

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

} // namespace

frmPhotos::frmPhotos(const QAbstractItemModel& rows, int rowLimit, const QImage& logo, QWidget* parent)
    : QDialog(parent)
    , m_rows(rows)
    , m_rowLimit(rowLimit)
{
    setObjectName(QStringLiteral("frmPhotos"));
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(64, 64, 64));
    setPalette(dark);
    setAutoFillBackground(true);
    buildControls(logo);
    if (const QScreen* display = screen())
        move(display->availableGeometry().center() - rect().center());

    FillThumbnailPage();
}

void frmPhotos::buildControls(const QImage& logo)
{
    auto* imgVistrelle = new ImageBox(this);
    imgVistrelle->setObjectName(QStringLiteral("imgVistrelle"));
    imgVistrelle->setPicture(logo);
    imgVistrelle->lower();

    for (int index = 0; index < cellCount; ++index) {
        auto* cell = new ImageBox(this);
        cell->setObjectName(QStringLiteral("imgPhoto"));
        cell->setProperty("index", index);
        cell->setTakesDoubleClicks(true);
        cell->setKeepsShape(true);
        cell->setGeometry(
            twipsRect(cellLefts[index % columns], cellTops[index / columns], cellWidth, cellHeight));
        connect(cell, &ImageBox::clicked, this, [this, index] { imgPhoto_Click(index); });
        connect(cell, &ImageBox::doubleClicked, this, [this, index] { imgPhoto_DblClick(index); });
        m_imgPhoto[index] = cell;
    }

    auto* label = new QLabel(
        QStringLiteral(
            "Click image to see next.  Double click image to select. Hover over image to see name."),
        this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setStyleSheet(QStringLiteral("color: rgb(224, 224, 224); background: rgb(64, 64, 64);"));
    // The words take the lines the font needs; the buttons follow below them, and the window
    // grows when they would pass its design height.
    QRect words = twipsRect(8400, 6240, 2535, 1095);
    words.setHeight(std::max(words.height(), label->heightForWidth(words.width())));
    label->setGeometry(words);

    m_cmdPrevious = new QPushButton(QStringLiteral("&<--"), this);
    m_cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
    m_cmdNext = new QPushButton(QStringLiteral("--&>"), this);
    m_cmdNext->setObjectName(QStringLiteral("cmdNext"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    const int buttonHeight = std::max(TwipsToPixels(375), cancel->sizeHint().height());
    const int gap = TwipsToPixels(105);
    const int buttonsTop = std::max(TwipsToPixels(7320), words.bottom() + 1);
    m_cmdPrevious->setGeometry(words.left(), buttonsTop, TwipsToPixels(1095), buttonHeight);
    m_cmdNext->setGeometry(TwipsToPixels(9840), buttonsTop, TwipsToPixels(1095), buttonHeight);
    cancel->setGeometry(words.left(), buttonsTop + buttonHeight + gap, words.width(), buttonHeight);
    setFixedSize(TwipsToPixels(clientWidth),
                 std::max(TwipsToPixels(clientHeight), cancel->geometry().bottom() + 1 + TwipsToPixels(120)));
    imgVistrelle->setGeometry(rect());

    connect(m_cmdPrevious, &QPushButton::clicked, this, &frmPhotos::cmdPrevious_Click);
    connect(m_cmdNext, &QPushButton::clicked, this, &frmPhotos::cmdNext_Click);
    connect(cancel, &QPushButton::clicked, this, &frmPhotos::CancelButton_Click);
}

void frmPhotos::FillThumbnailPage()
{
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
        cell->setPicture(LoadThumbnail(images.first(), cell->size() * cell->devicePixelRatio()));
        cell->setToolTip(m_shown[index].data().toString());
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
    const QStringList images = imagesOf(index);
    if (images.isEmpty())
        return;
    // The next image of the row, the first after the last.
    const int shown = m_slots[index];
    const int column = shown >= 0 && shown < images.size() ? shown + 1 : 1;
    ImageBox* cell = m_imgPhoto[index];
    cell->setPicture(LoadThumbnail(images.at(column - 1), cell->size() * cell->devicePixelRatio()));
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
