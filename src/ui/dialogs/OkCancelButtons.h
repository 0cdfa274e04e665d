#pragma once

class QPushButton;
class QWidget;

/// The OK and Cancel buttons the name and relocation dialogs end with: Enter always means OK,
/// even while Cancel has the focus.
struct OkCancelButtons
{
    explicit OkCancelButtons(QWidget* dialog);

    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};
