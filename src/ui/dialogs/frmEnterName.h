#pragma once

#include <QDialog>

class MessageBoxes;
class QLineEdit;

enum class NameCheck { Accepted, Empty, InvalidCharacter };

/// The rule of the name entry dialog: an empty name, one beginning with a space, "." and ".."
/// name nothing; \ / : ? < > | * are refused anywhere, and "." at the start.
NameCheck CheckEnteredName(const QString& name);

/// Asks for a name, saying what it names (\a what) and offering one; enteredName() holds the
/// accepted name.
class frmEnterName final : public QDialog
{
    Q_OBJECT

public:
    frmEnterName(const QString& what, const QString& proposed, MessageBoxes& boxes,
                 QWidget* parent = nullptr);

    const QString& enteredName() const { return m_enteredName; }

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    MessageBoxes& m_boxes;
    QString m_enteredName;
    QLineEdit* m_txtEnterName = nullptr;
};
