#include "frmPhotos.h"

#include "ImageBox.h"
#include "ThumbnailPicture.h"
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

frmPhotos::frmPhotos(QList<ThumbnailRow> rows, const QImage& logo, QWidget* parent)
    : QDialog(parent)
    , m_rows(std::move(rows))
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
        const ThumbnailRow* row = rowAt(m_pageStart + index);
        if (!row || row->images.isEmpty()) {
            cell->hide();
            cell->setPicture(QImage());
            continue;
        }
        cell->setPicture(LoadThumbnail(row->images.first(), cell->size() * cell->devicePixelRatio()));
        cell->setToolTip(row->name);
        cell->show();
        m_slots[index] = 1;
    }
    m_cmdNext->setEnabled(rowAt(m_pageStart + cellCount) != nullptr);
    m_cmdPrevious->setEnabled(m_pageStart > 1 && rowAt(m_pageStart - 1) != nullptr);
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
    const ThumbnailRow* entry = rowAt(m_pageStart + index);
    if (!entry)
        return;
    // The next image of the row, the first after the last.
    const int shown = m_slots[index];
    const int column = shown >= 0 && shown < entry->images.size() ? shown + 1 : 1;
    ImageBox* cell = m_imgPhoto[index];
    cell->setPicture(LoadThumbnail(entry->images.at(column - 1), cell->size() * cell->devicePixelRatio()));
    m_slots[index] = column;
}

void frmPhotos::imgPhoto_DblClick(int index)
{
    const ThumbnailRow* entry = rowAt(m_pageStart + index);
    if (!entry)
        return;
    m_pickedName = entry->name;
    accept();
}

const ThumbnailRow* frmPhotos::rowAt(int row) const
{
    if (row < 1 || row > m_rows.size())
        return nullptr;
    return &m_rows.at(row - 1);
}
