#include "ModalDialog.h"

#include "platform/ModalLoop.h"

#include <QDialog>

bool ShowModal(QDialog& dialog)
{
    int result = QDialog::Rejected;
    return ModalLoop::run([&dialog, &result] { result = dialog.exec(); }, [&dialog] { dialog.reject(); }) &&
           result == QDialog::Accepted;
}
