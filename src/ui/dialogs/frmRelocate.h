#pragma once

#include "LibraryDialogs.h"

#include <QDialog>

class FolderNamesModel;
class MessageBoxes;
class QComboBox;

/// Chooses the Image Set that the selected files move to; choice() holds it once OK closed the
/// dialog.
class frmRelocate final : public QDialog
{
    Q_OBJECT

public:
    /// Offers \a lastTarget when its Category is still listed, else the current Category.
    frmRelocate(const RelocationRequest& request, std::optional<ImageSetChoice> lastTarget,
                MessageBoxes& boxes, QWidget* parent = nullptr);

    const ImageSetChoice& choice() const { return m_choice; }

    void cboImageSetCategory_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void selectCategory(int row);

    FolderNamesModel* m_imageSets;
    QString m_libraryRoot;
    std::optional<ImageSetChoice> m_lastTarget; // serves the first fill only
    MessageBoxes& m_boxes;
    ImageSetChoice m_choice;
    QComboBox* m_cboImageSetCategory = nullptr;
    QComboBox* m_cboImageSetName = nullptr;
};
