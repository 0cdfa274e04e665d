#pragma once

#include <QDialog>

class MessageBoxes;
class QLineEdit;
struct AppState;

enum class NameCheck { Accepted, Empty, InvalidCharacter };

/// The rule of the name entry dialog: an empty name, one beginning with a space, "." and ".."
/// name nothing; \ / : ? < > | * are refused anywhere, and "." at the start.
NameCheck CheckEnteredName(const QString& name);

/// Asks for a name; the accepted name goes back through AppState::enteredName.
class frmEnterName final : public QDialog
{
    Q_OBJECT

public:
    frmEnterName(AppState& state, MessageBoxes& boxes);

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    AppState& m_state;
    MessageBoxes& m_boxes;
    QLineEdit* m_txtEnterName = nullptr;
};
