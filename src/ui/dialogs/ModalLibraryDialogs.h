#pragma once

#include "LibraryDialogs.h"

class MessageBoxes;

/// Shows the library's dialogs modally, each loaded afresh as a dialog of the window that
/// asked, so the window manager puts it over that window.
class ModalLibraryDialogs final : public LibraryDialogs
{
public:
    explicit ModalLibraryDialogs(MessageBoxes& boxes)
        : m_boxes(boxes)
    {
    }

    std::optional<QString> AskForName(QWidget* over, const QString& what, const QString& proposed) override;
    std::optional<ImageSetChoice> AskForRelocation(QWidget* over, const RelocationRequest& request) override;
    FileOption AskForFileOption(QWidget* over) override;

private:
    MessageBoxes& m_boxes;
    std::optional<ImageSetChoice> m_lastTarget; // offered at the next opening only
};
