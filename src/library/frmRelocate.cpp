#include "frmRelocate.h"

#include "DisplayOrder.h"
#include "LibraryTree.h"
#include "OkCancelButtons.h"
#include "core/AppState.h"
#include "platform/MessageBoxes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmRelocate::frmRelocate(AppState& state, MessageBoxes& boxes, const QString& caption,
                         const QStringList& categories)
    : QDialog(nullptr)
    , m_state(state)
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("frmRelocate"));
    setWindowTitle(caption);
    m_state.relocateCategory.clear();
    m_state.relocateImageSet.clear();

    m_cboImageSetCategory = new QComboBox(this);
    m_cboImageSetCategory->setObjectName(QStringLiteral("cboImageSetCategory"));
    m_cboImageSetName = new QComboBox(this);
    m_cboImageSetName->setObjectName(QStringLiteral("cboImageSetName"));
    const auto [cmdOK, cmdCancel] = OkCancelButtons(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Category"), this), 0, 0);
    grid->addWidget(m_cboImageSetCategory, 1, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Image Set"), this), 2, 0);
    grid->addWidget(m_cboImageSetName, 3, 0, 1, 2);
    grid->addWidget(cmdOK, 4, 0);
    grid->addWidget(cmdCancel, 4, 1);
    setMinimumWidth(320);
    setTabOrder(m_cboImageSetCategory, m_cboImageSetName);
    setTabOrder(m_cboImageSetName, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(m_cboImageSetCategory, &QComboBox::activated, this, &frmRelocate::cboImageSetCategory_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmRelocate::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmRelocate::cmdCancel_Click);

    m_cboImageSetCategory->addItems(categories);
    m_cboImageSetCategory->setCurrentIndex(-1);
    const auto exactly = Qt::MatchExactly | Qt::MatchCaseSensitive;
    int row = m_state.lastRelocateCategory.isEmpty()
                  ? -1
                  : m_cboImageSetCategory->findText(m_state.lastRelocateCategory, exactly);
    if (row < 0) {
        m_state.lastRelocateCategory.clear();
        m_state.lastRelocateImageSet.clear();
        row = m_cboImageSetCategory->findText(m_state.currentCategory, exactly);
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
    QStringList sets =
        ListSubfolders(m_state.libraryRoot + m_cboImageSetCategory->currentText() + QLatin1Char('/'));
    SortForDisplay(sets);
    m_cboImageSetName->clear();
    m_cboImageSetName->addItems(sets);
    const int row = m_state.lastRelocateImageSet.isEmpty()
                        ? -1
                        : m_cboImageSetName->findText(m_state.lastRelocateImageSet,
                                                      Qt::MatchExactly | Qt::MatchCaseSensitive);
    m_cboImageSetName->setCurrentIndex(row >= 0 ? row : (sets.isEmpty() ? -1 : 0));
    // The remembered target serves the first fill after opening only.
    m_state.lastRelocateCategory.clear();
    m_state.lastRelocateImageSet.clear();
}

void frmRelocate::cmdOK_Click()
{
    if (m_cboImageSetName->currentText().isEmpty()) {
        m_boxes.show(QStringLiteral("Please select an image set first."), BoxLook::Information);
        return;
    }
    m_state.relocateCategory = m_cboImageSetCategory->currentText();
    m_state.relocateImageSet = m_cboImageSetName->currentText();
    accept();
}

void frmRelocate::cmdCancel_Click()
{
    m_state.relocateCategory.clear();
    m_state.relocateImageSet.clear();
    reject();
}
