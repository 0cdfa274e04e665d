#include "ModalLibraryDialogs.h"

#include "frmEnterName.h"
#include "frmFileOptions.h"
#include "frmRelocate.h"

#include <utility>

std::optional<QString> ModalLibraryDialogs::AskForName(const QString& proposed)
{
    frmEnterName dialog(proposed, m_boxes);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.enteredName();
}

std::optional<ImageSetChoice> ModalLibraryDialogs::AskForRelocation(const RelocationRequest& request)
{
    frmRelocate dialog(request, std::exchange(m_lastTarget, std::nullopt), m_boxes);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    m_lastTarget = dialog.choice();
    return m_lastTarget;
}

FileOption ModalLibraryDialogs::AskForFileOption()
{
    frmFileOptions dialog;
    dialog.exec();
    return dialog.choice();
}
