#pragma once

#include <QString>
#include <QStringList>

struct AppState;

/// The library's own modal dialogs. Each hands its answer back through AppState, as the
/// caller expects; the real ones are shown by ModalLibraryDialogs, tests answer from a script.
class LibraryDialogs
{
public:
    virtual ~LibraryDialogs() = default;

    /// The name entry dialog, opened on enteredName. An accepted name is left in enteredName;
    /// a cancelled dialog leaves enteredName as the caller set it.
    virtual void AskForName(AppState& state) = 0;

    /// The relocate dialog with \a caption, offering \a categories (the main window's, in its
    /// order). Sets relocateCategory and relocateImageSet, both empty when cancelled; uses up
    /// lastRelocateCategory and lastRelocateImageSet.
    virtual void AskForRelocation(AppState& state, const QString& caption, const QStringList& categories) = 0;

    /// The file options dialog. Sets fileOptionsChoice to 1 (open) or 2 (rename), or leaves it
    /// as it was when the dialog is cancelled or closed.
    virtual void AskForFileOption(AppState& state) = 0;
};
