#pragma once

#include <QDialog>

class Shell;

/// The modal help window: the program's version, and the help page opened in the desktop's
/// viewer for it.
class frmHelp final : public QDialog
{
    Q_OBJECT

public:
    /// \a programDir is the folder of the executable, ending in "/"; the help page lies there.
    frmHelp(Shell& shell, QString programDir, QWidget* parent = nullptr);

    void cmdContents_Click();
    void cmdExitHelp_Click();

private:
    Shell& m_shell;
    QString m_programDir;
};
