#pragma once

#include <QDialog>

class MessageBoxes;
class Shell;

/// The modal help window: the program's version, and the help page (in the language the windows
/// speak where there is one) opened in the desktop's viewer for it; the user is told when it
/// cannot be opened.
class frmHelp final : public QDialog
{
    Q_OBJECT

public:
    /// \a programDir is the folder of the executable, ending in "/"; the help pages lie there.
    frmHelp(Shell& shell, MessageBoxes& boxes, QString programDir, QWidget* parent = nullptr);

    void cmdContents_Click();
    void cmdExitHelp_Click();

private:
    Shell& m_shell;
    MessageBoxes& m_boxes;
    QString m_programDir;
};
