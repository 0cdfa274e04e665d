#include "ModalLibraryDialogs.h"

#include "frmEnterName.h"
#include "frmFileOptions.h"
#include "frmRelocate.h"

void ModalLibraryDialogs::AskForName(AppState& state)
{
    frmEnterName dialog(state, m_boxes);
    dialog.exec();
}

void ModalLibraryDialogs::AskForRelocation(AppState& state, const QString& caption,
                                           const QStringList& categories)
{
    frmRelocate dialog(state, m_boxes, caption, categories);
    dialog.exec();
}

void ModalLibraryDialogs::AskForFileOption(AppState& state)
{
    frmFileOptions dialog(state);
    dialog.exec();
}
