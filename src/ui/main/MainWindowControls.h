#pragma once

#include <QCoreApplication>

class FileList;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

/// The main window's controls, laid out in the window they are made for; each carries its
/// control name as its object name.
class MainWindowControls
{
    Q_DECLARE_TR_FUNCTIONS(MainWindowControls)

public:
    /// Lays out the controls in \a window, with \a fileList as lstComponents.
    MainWindowControls(QWidget* window, FileList* fileList);

    /// The command button named \a name.
    QPushButton* button(const char* name) const;

    QComboBox* cboImageSetCategory = nullptr;
    QComboBox* cboImageSetName = nullptr;
    FileList* lstComponents = nullptr;
    /// The label over the file list, which names the list standing there.
    QLabel* lblImageFiles = nullptr;
    /// JPG, BMP and PNG, in the order of captureFormats().
    QRadioButton* optFormat[3] = {};
    QCheckBox* chkPauseCapturing = nullptr;
    QLabel* lblImageInfo = nullptr;
    /// The status line: what became of a copy that was not filed.
    QLabel* lblCaptureStatus = nullptr;

private:
    void setTabOrder();

    QWidget* m_window;
};
