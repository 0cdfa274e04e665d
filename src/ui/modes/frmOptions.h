#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
struct AppState;

/// The modal options dialog: hotkeys, time-lapse interval and silence, JPEG quality. It shows
/// AppState when it opens, writes it back on OK and changes nothing otherwise.
class frmOptions final : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions(AppState& state, QWidget* parent = nullptr);

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void buildControls();
    void Form_Load();

    AppState& m_state;
    QComboBox* m_cboActiveWindow = nullptr;
    QCheckBox* m_chkActiveWindowCTRL = nullptr;
    QCheckBox* m_chkActiveWindowSHIFT = nullptr;
    QComboBox* m_cboTimeLapse = nullptr;
    QCheckBox* m_chkTimeLapseCTRL = nullptr;
    QCheckBox* m_chkTimeLapseSHIFT = nullptr;
    QComboBox* m_cboTimeLapseMin = nullptr;
    QComboBox* m_cboTimeLapseSec = nullptr;
    QCheckBox* m_chkTimeLapseSilent = nullptr;
    QComboBox* m_cboQuality = nullptr;
    int m_shownMinutes = 0;
    int m_shownSeconds = 0;
};
