#include "ModalLibraryDialogs.h"

#include "ModalDialog.h"
#include "frmEnterName.h"
#include "frmFileOptions.h"
#include "frmRelocate.h"

#include <utility>

std::optional<QString> ModalLibraryDialogs::AskForName(QWidget* over, const QString& what,
                                                       const QString& proposed)
{
    frmEnterName dialog(what, proposed, m_boxes, over);
    if (!ShowModal(dialog))
        return std::nullopt;
    return dialog.enteredName();
}

std::optional<ImageSetChoice> ModalLibraryDialogs::AskForRelocation(QWidget* over,
                                                                    const RelocationRequest& request)
{
    frmRelocate dialog(request, std::exchange(m_lastTarget, std::nullopt), m_boxes, over);
    if (!ShowModal(dialog))
        return std::nullopt;
    m_lastTarget = dialog.choice();
    return m_lastTarget;
}

FileOption ModalLibraryDialogs::AskForFileOption(QWidget* over)
{
    frmFileOptions dialog(over);
    return ShowModal(dialog) ? dialog.choice() : FileOption::Cancel;
}
