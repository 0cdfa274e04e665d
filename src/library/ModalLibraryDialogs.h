#pragma once

#include "LibraryDialogs.h"

class MessageBoxes;

/// Shows the library's dialogs modally, each loaded afresh and without an owner window.
class ModalLibraryDialogs final : public LibraryDialogs
{
public:
    explicit ModalLibraryDialogs(MessageBoxes& boxes)
        : m_boxes(boxes)
    {
    }

    void AskForName(AppState& state) override;
    void AskForRelocation(AppState& state, const QString& caption, const QStringList& categories) override;
    void AskForFileOption(AppState& state) override;

private:
    MessageBoxes& m_boxes;
};
