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

    std::optional<QString> AskForName(const QString& proposed) override;
    std::optional<ImageSetChoice> AskForRelocation(const RelocationRequest& request) override;
    FileOption AskForFileOption() override;

private:
    MessageBoxes& m_boxes;
    std::optional<ImageSetChoice> m_lastTarget; // offered at the next opening only
};
