#pragma once

#include "LibraryDialogs.h"

#include <QDialog>

/// Offers to open or rename a file; choice() holds the answer.
class frmFileOptions final : public QDialog
{
    Q_OBJECT

public:
    explicit frmFileOptions(QWidget* parent = nullptr);

    FileOption choice() const { return m_choice; }

    void cmdContents_Click();
    void cmdRename_Click();
    void cmdExitFileOptions_Click();

private:
    FileOption m_choice = FileOption::Cancel;
};
