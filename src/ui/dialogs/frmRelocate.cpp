#include "frmRelocate.h"

#include "OkCancelButtons.h"
#include "library/FolderNamesModel.h"
#include "platform/MessageBoxes.h"
#include "ui/FontFit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

frmRelocate::frmRelocate(const RelocationRequest& request, std::optional<ImageSetChoice> lastTarget,
                         MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent)
    , m_imageSets(new FolderNamesModel(this))
    , m_libraryRoot(request.libraryRoot)
    , m_lastTarget(std::move(lastTarget))
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("frmRelocate"));
    setWindowTitle(request.caption);

    m_cboImageSetCategory = new QComboBox(this);
    m_cboImageSetCategory->setObjectName(QStringLiteral("cboImageSetCategory"));
    m_cboImageSetName = new QComboBox(this);
    m_cboImageSetName->setObjectName(QStringLiteral("cboImageSetName"));
    m_cboImageSetName->setModel(m_imageSets);
    const auto [cmdOK, cmdCancel] = OkCancelButtons(this);

    // The question stands in the window too: a window manager may cut a title bar's text short.
    auto* lblQuestion = new QLabel(request.caption, this);
    lblQuestion->setObjectName(QStringLiteral("lblQuestion"));
    lblQuestion->setWordWrap(true);
    auto* grid = new QGridLayout(this);
    grid->addWidget(lblQuestion, 0, 0, 1, 2);
    // The labels name the lists to a screen reader; their keys move the focus there.
    auto* lblCategory = new QLabel(tr("C&ategory"), this);
    lblCategory->setBuddy(m_cboImageSetCategory);
    auto* lblImageSet = new QLabel(tr("Image &Set"), this);
    lblImageSet->setBuddy(m_cboImageSetName);
    grid->addWidget(lblCategory, 1, 0);
    grid->addWidget(m_cboImageSetCategory, 2, 0, 1, 2);
    grid->addWidget(lblImageSet, 3, 0);
    grid->addWidget(m_cboImageSetName, 4, 0, 1, 2);
    grid->addWidget(cmdOK, 5, 0);
    grid->addWidget(cmdCancel, 5, 1);
    // The caption tells how many files move: all of it shows.
    setMinimumWidth(std::max(320, CaptionWidth(*this)));
    setTabOrder(m_cboImageSetCategory, m_cboImageSetName);
    setTabOrder(m_cboImageSetName, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(m_cboImageSetCategory, &QComboBox::activated, this, &frmRelocate::cboImageSetCategory_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmRelocate::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRelocate::cmdCancel_Click);

    m_cboImageSetCategory->addItems(request.categories);
    m_cboImageSetCategory->setCurrentIndex(-1);
    const auto exactly = Qt::MatchExactly | Qt::MatchCaseSensitive;
    int row = m_lastTarget ? m_cboImageSetCategory->findText(m_lastTarget->category, exactly) : -1;
    if (row < 0) {
        m_lastTarget.reset();
        row = m_cboImageSetCategory->findText(request.currentCategory, exactly);
    }
    if (row >= 0)
        selectCategory(row);
}

void frmRelocate::selectCategory(int row)
{
    m_cboImageSetCategory->setCurrentIndex(row);
    cboImageSetCategory_Click();
}

void frmRelocate::cboImageSetCategory_Click()
{
    // The remembered target serves the first fill after opening only.
    const QString kept = m_lastTarget ? m_lastTarget->imageSet : QString();
    m_lastTarget.reset();
    m_cboImageSetName->setCurrentIndex(
        m_imageSets->list(m_libraryRoot + m_cboImageSetCategory->currentText() + QLatin1Char('/'), kept));
}

void frmRelocate::cmdOK_Click()
{
    if (m_cboImageSetName->currentText().isEmpty()) {
        m_boxes.show(tr("Please select an image set first."), BoxLook::Information);
        return;
    }
    m_choice = {m_cboImageSetCategory->currentText(), m_cboImageSetName->currentText()};
    accept();
}

void frmRelocate::cmdCancel_Click()
{
    reject();
}
