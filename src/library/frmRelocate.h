#pragma once

#include <QDialog>

class MessageBoxes;
class QComboBox;
struct AppState;

/// Chooses the Image Set that the selected files move to; the answer goes back through
/// AppState::relocateCategory and relocateImageSet, both empty unless OK closed the dialog.
class frmRelocate final : public QDialog
{
    Q_OBJECT

public:
    /// \a categories are the main window's, in its order.
    frmRelocate(AppState& state, MessageBoxes& boxes, const QString& caption, const QStringList& categories);

    void cboImageSetCategory_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void selectCategory(int row);

    AppState& m_state;
    MessageBoxes& m_boxes;
    QComboBox* m_cboImageSetCategory = nullptr;
    QComboBox* m_cboImageSetName = nullptr;
};
