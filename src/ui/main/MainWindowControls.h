#pragma once

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

/// The main window's controls, laid out in the window they are made for; each carries its
/// control name as its object name.
class MainWindowControls
{
public:
    explicit MainWindowControls(QWidget* window);

    /// The command button named \a name.
    QPushButton* button(const char* name) const;

    QComboBox* cboImageSetCategory = nullptr;
    QComboBox* cboImageSetName = nullptr;
    QListWidget* lstComponents = nullptr;
    QRadioButton* optFormat[2] = {};
    QLabel* lblImageInfo = nullptr;
    QTimer* tmrTimer = nullptr;

private:
    void setTabOrder();

    QWidget* m_window;
};
