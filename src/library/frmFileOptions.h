#pragma once

#include <QDialog>

struct AppState;

/// Offers to open or rename a file; the answer goes back through AppState::fileOptionsChoice.
class frmFileOptions final : public QDialog
{
    Q_OBJECT

public:
    explicit frmFileOptions(AppState& state);

    void cmdContents_Click();
    void cmdRename_Click();
    void cmdExitFileOptions_Click();

private:
    AppState& m_state;
};
