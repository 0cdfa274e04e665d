#pragma once

#include "core/Settings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

/// The modal options dialog: hotkeys, time-lapse interval and silence, JPEG quality, Find's
/// languages (of those installed) and window titles, and whether Vistrelle starts with the
/// desktop. It shows the settings it is given; after OK, chosen() and startsWithDesktop() hold
/// them as the user set them.
class frmOptions final : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions(const Settings& settings, const QStringList& installedLanguages = {},
                        bool startsWithDesktop = false, QWidget* parent = nullptr);

    const Settings& chosen() const { return m_settings; }
    bool startsWithDesktop() const { return m_startsWithDesktop; }
    /// Whether the words are read, as the user answered after forgetting them.
    void showReadWords(bool read);

    void cmdOK_Click();
    void cmdCancel_Click();

signals:
    /// "Forget the words read": the index is to be emptied now, whatever the dialog ends with.
    void forgetWordsRequested();

private:
    void buildControls(const QStringList& installedLanguages);
    void Form_Load();
    // CTRL, SHIFT and ALT: the bits 1, 2 and 4 of the modifier code.
    QList<QCheckBox*> activeWindowModifierBoxes() const;
    QList<QCheckBox*> timeLapseModifierBoxes() const;

    Settings m_settings;
    QComboBox* m_cboActiveWindow = nullptr;
    QCheckBox* m_chkActiveWindowCTRL = nullptr;
    QCheckBox* m_chkActiveWindowSHIFT = nullptr;
    QCheckBox* m_chkActiveWindowALT = nullptr;
    QComboBox* m_cboTimeLapse = nullptr;
    QCheckBox* m_chkTimeLapseCTRL = nullptr;
    QCheckBox* m_chkTimeLapseSHIFT = nullptr;
    QCheckBox* m_chkTimeLapseALT = nullptr;
    QComboBox* m_cboTimeLapseMin = nullptr;
    QComboBox* m_cboTimeLapseSec = nullptr;
    QCheckBox* m_chkTimeLapseSilent = nullptr;
    QComboBox* m_cboQuality = nullptr;
    QListWidget* m_lstFindLanguages = nullptr;
    QCheckBox* m_chkReadWords = nullptr;
    QLineEdit* m_txtUnreadPrograms = nullptr;
    QCheckBox* m_chkWindowTitleInFile = nullptr;
    QCheckBox* m_chkNotifyCaptures = nullptr;
    QCheckBox* m_chkStartWithDesktop = nullptr;
    bool m_startsWithDesktop = false;
    int m_shownMinutes = 0;
    int m_shownSeconds = 0;
};
