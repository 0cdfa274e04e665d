#include "frmOptions.h"

#include "core/Settings.h"
#include "core/SettingsFile.h"
#include "platform/HotkeyNames.h"
#include "platform/KeyState.h"
#include "ui/ScreenFit.h"
#include "ui/Screens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int longestInterval = 59 * 60 + 59;

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QComboBox* listOnly(QWidget* parent, const char* name, const QStringList& items)
{
    // Not editable: only the listed keys, intervals and qualities can reach AppState.
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(false);
    combo->addItems(items);
    return combo;
}

// The keys a hotkey can be, in the order the lists offer them.
QList<int> offeredHotkeys()
{
    QList<int> keys;
    for (int key = '0'; key <= '9'; ++key)
        keys.append(key);
    for (int key = 'A'; key <= 'Z'; ++key)
        keys.append(key);
    for (int key = VirtualKey::F1; key <= VirtualKey::F12; ++key)
        keys.append(key);
    keys << VirtualKey::Print << VirtualKey::Pause << VirtualKey::Insert;
    return keys;
}

// The key's name as the desktop's language writes it on the key cap.
QString keyCap(int key)
{
    switch (key) {
    case VirtualKey::Print:
        return QCoreApplication::translate("frmOptions", "Print");
    case VirtualKey::Pause:
        return QCoreApplication::translate("frmOptions", "Pause");
    case VirtualKey::Insert:
        return QCoreApplication::translate("frmOptions", "Insert");
    default:
        return HotkeyLabel(key);
    }
}

QStringList hotkeyItems()
{
    QStringList items{QCoreApplication::translate("frmOptions", "None")};
    for (const int key : offeredHotkeys())
        items.append(keyCap(key));
    return items;
}

QStringList twoDigitItems()
{
    QStringList items;
    for (int value = 0; value < 60; ++value)
        items.append(QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')));
    return items;
}

QStringList qualityItems()
{
    QStringList items;
    for (int value = 1; value <= 100; ++value)
        items.append(QString::number(value));
    return items;
}

/// The key's name, or "None" for 0 and for codes no list item stands for.
QString hotkeyText(int code)
{
    return offeredHotkeys().contains(code) ? keyCap(code) : QCoreApplication::translate("frmOptions", "None");
}

void showHotkey(int code, int modifiers, QComboBox* key, const QList<QCheckBox*>& boxes)
{
    key->setCurrentText(hotkeyText(code));
    const bool known = modifiers >= 0 && modifiers <= HotkeyModifier::All;
    for (int bit = 0; bit < boxes.size(); ++bit)
        boxes[bit]->setChecked(known && (modifiers & (1 << bit)));
}

void takeHotkey(const QComboBox* key, const QList<QCheckBox*>& boxes, int& code, int& modifiers)
{
    code = 0;
    modifiers = 0;
    const qsizetype item = key->currentIndex();
    if (item <= 0)
        return;
    code = offeredHotkeys().at(item - 1);
    for (int bit = 0; bit < boxes.size(); ++bit)
        if (boxes[bit]->isChecked())
            modifiers += 1 << bit;
}

} // namespace

frmOptions::frmOptions(const Settings& settings, const QStringList& installedLanguages,
                       bool startsWithDesktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_settings(settings)
    , m_startsWithDesktop(startsWithDesktop)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Vistrelle Options"));
    buildControls(installedLanguages);
    Form_Load();
    // On a small screen the frames scroll; OK and Cancel stay in view.
    FitToScreen(*this, *qobject_cast<QBoxLayout*>(layout()), layout()->count() - 1, ScreenFor(parent));
}

void frmOptions::buildControls(const QStringList& installedLanguages)
{
    auto* layout = new QVBoxLayout(this);

    auto* frame1 = named(new QGroupBox(tr("Take active window hotkey"), this), "Frame1");
    auto* activeRow = new QHBoxLayout(frame1);
    m_cboActiveWindow = listOnly(frame1, "cboActiveWindow", hotkeyItems());
    m_cboActiveWindow->setToolTip(
        tr("Normally the \"take active window\" key command is ALT+Print Screen but the ALT key can "
           "interfere with some applications so you can define a hotkey equivalent here."));
    m_chkActiveWindowCTRL = named(new QCheckBox(tr("CTRL"), frame1), "chkActiveWindowCTRL");
    m_chkActiveWindowSHIFT = named(new QCheckBox(tr("SHIFT"), frame1), "chkActiveWindowSHIFT");
    m_chkActiveWindowALT = named(new QCheckBox(tr("ALT"), frame1), "chkActiveWindowALT");
    activeRow->addWidget(m_cboActiveWindow);
    activeRow->addWidget(m_chkActiveWindowCTRL);
    activeRow->addWidget(m_chkActiveWindowSHIFT);
    activeRow->addWidget(m_chkActiveWindowALT);
    activeRow->addStretch();
    layout->addWidget(frame1);

    auto* frame5 = named(new QGroupBox(tr("Time-lapse start/stop hotkey"), this), "Frame5");
    auto* lapseRow = new QHBoxLayout(frame5);
    m_cboTimeLapse = listOnly(frame5, "cboTimeLapse", hotkeyItems());
    m_chkTimeLapseCTRL = named(new QCheckBox(tr("CTRL"), frame5), "chkTimeLapseCTRL");
    m_chkTimeLapseSHIFT = named(new QCheckBox(tr("SHIFT"), frame5), "chkTimeLapseSHIFT");
    m_chkTimeLapseALT = named(new QCheckBox(tr("ALT"), frame5), "chkTimeLapseALT");
    lapseRow->addWidget(m_cboTimeLapse);
    lapseRow->addWidget(m_chkTimeLapseCTRL);
    lapseRow->addWidget(m_chkTimeLapseSHIFT);
    lapseRow->addWidget(m_chkTimeLapseALT);
    lapseRow->addStretch();
    layout->addWidget(frame5);

    auto* frame4 = named(new QGroupBox(tr("Time-lapse screenshots"), this), "Frame4");
    auto* interval = new QGridLayout(frame4);
    auto* label3 = named(new QLabel(tr("To take a screenshot of the active window at regular "
                                       "intervals, enter the interval below and use the "
                                       "\"Time-lapse start/stop hotkey\" above to toggle this "
                                       "option on and off."),
                                    frame4),
                         "Label3");
    label3->setWordWrap(true);
    interval->addWidget(label3, 0, 0, 1, 4);
    m_cboTimeLapseMin = listOnly(frame4, "cboTimeLapseMin", twoDigitItems());
    m_cboTimeLapseSec = listOnly(frame4, "cboTimeLapseSec", twoDigitItems());
    interval->addWidget(m_cboTimeLapseMin, 1, 0);
    interval->addWidget(named(new QLabel(QStringLiteral(":"), frame4), "Label6"), 1, 1);
    interval->addWidget(m_cboTimeLapseSec, 1, 2);
    // Each list is named by the words under it or beside it, for a screen reader.
    auto* label4 = named(new QLabel(tr("Minute(s)"), frame4), "Label4");
    label4->setBuddy(m_cboTimeLapseMin);
    interval->addWidget(label4, 2, 0);
    auto* label5 = named(new QLabel(tr("Second(s)"), frame4), "Label5");
    label5->setBuddy(m_cboTimeLapseSec);
    interval->addWidget(label5, 2, 2);
    m_chkTimeLapseSilent = named(new QCheckBox(tr("Silent operation"), frame4), "chkTimeLapseSilent");
    m_chkTimeLapseSilent->setToolTip(
        tr("Don't play a sound when a screenshot is taken with the time-lapse screenshot option."));
    interval->addWidget(m_chkTimeLapseSilent, 3, 0, 1, 4);
    interval->setColumnStretch(3, 1);
    layout->addWidget(frame4);

    auto* frame3 = named(new QGroupBox(tr("Jpeg quality"), this), "Frame3");
    auto* quality = new QGridLayout(frame3);
    m_cboQuality = listOnly(frame3, "cboQuality", qualityItems());
    auto* label2 = named(new QLabel(tr("Quality"), frame3), "Label2");
    label2->setBuddy(m_cboQuality);
    quality->addWidget(label2, 0, 0);
    quality->addWidget(m_cboQuality, 0, 1);
    auto* label1 = named(new QLabel(tr("Enter a value between 1 and 100, 100 being the highest "
                                       "quality.  The higher the number, the greater the resulting "
                                       "jpg file size.  Vistrelle defaults to 90 which is a good "
                                       "tradeoff between quality and file size."),
                                    frame3),
                         "Label1");
    label1->setWordWrap(true);
    quality->addWidget(label1, 1, 0, 1, 3);
    quality->setColumnStretch(2, 1);
    layout->addWidget(frame3);

    auto* fraFind = named(new QGroupBox(tr("Find"), this), "fraFind");
    auto* find = new QVBoxLayout(fraFind);
    auto* lblFindLanguages =
        named(new QLabel(tr("Languages of the words in screenshots:"), fraFind), "lblFindLanguages");
    find->addWidget(lblFindLanguages);
    m_lstFindLanguages = named(new QListWidget(fraFind), "lstFindLanguages");
    lblFindLanguages->setBuddy(m_lstFindLanguages);
    // A list takes no name from its label: it is given one.
    m_lstFindLanguages->setAccessibleName(tr("Languages"));
    m_lstFindLanguages->setToolTip(tr("The installed languages the screenshots are read in; "
                                      "a change reads every screenshot again"));
    for (const QString& language : installedLanguages)
        m_lstFindLanguages->addItem(language);
    m_lstFindLanguages->setMaximumHeight(m_lstFindLanguages->fontMetrics().height() * 4 +
                                         2 * m_lstFindLanguages->frameWidth());
    find->addWidget(m_lstFindLanguages);
    m_chkReadWords = named(new QCheckBox(tr("Read the words in screenshots"), fraFind), "chkReadWords");
    m_chkReadWords->setToolTip(tr("Without it Find knows the screenshots by their window titles only"));
    find->addWidget(m_chkReadWords);
    auto* lblUnreadPrograms = named(new QLabel(tr("Never read the screenshots of these programs "
                                                  "(window classes, separated by commas):"),
                                               fraFind),
                                    "lblUnreadPrograms");
    lblUnreadPrograms->setWordWrap(true);
    find->addWidget(lblUnreadPrograms);
    m_txtUnreadPrograms = named(new QLineEdit(fraFind), "txtUnreadPrograms");
    m_txtUnreadPrograms->setToolTip(
        tr("A password manager, a browser kept for banking: the words already read from "
           "their screenshots are forgotten"));
    find->addWidget(m_txtUnreadPrograms);
    auto* cmdForgetWords = named(new QPushButton(tr("Forget the words read"), fraFind), "cmdForgetWords");
    cmdForgetWords->setToolTip(tr("Empties the index of the words read from every screenshot, "
                                  "at once"));
    connect(cmdForgetWords, &QPushButton::clicked, this, &frmOptions::forgetWordsRequested);
    auto* forgetRow = new QHBoxLayout;
    forgetRow->addWidget(cmdForgetWords);
    forgetRow->addStretch();
    find->addLayout(forgetRow);
    m_chkWindowTitleInFile = named(new QCheckBox(tr("Write the window title into new screenshots"), fraFind),
                                   "chkWindowTitleInFile");
    m_chkWindowTitleInFile->setToolTip(
        tr("The title goes into the file's own text (JPEG comment, PNG text), where other "
           "programs can read it"));
    find->addWidget(m_chkWindowTitleInFile);
    layout->addWidget(fraFind);

    m_chkStartWithDesktop = named(new QCheckBox(tr("Start with the desktop"), this), "chkStartWithDesktop");
    m_chkStartWithDesktop->setToolTip(
        tr("Start Vistrelle in low-resource mode, behind its tray icon, whenever you log in"));
    layout->addWidget(m_chkStartWithDesktop);
    m_chkNotifyCaptures = named(new QCheckBox(tr("Notify each capture"), this), "chkNotifyCaptures");
    m_chkNotifyCaptures->setToolTip(tr(
        "A desktop notification tells each screenshot filed, with Show and Copy; time-lapse when it starts "
        "and stops"));
    layout->addWidget(m_chkNotifyCaptures);

    auto* buttons = new QHBoxLayout;
    auto* cmdOK = named(new QPushButton(tr("&OK"), this), "cmdOK");
    auto* cmdCancel = named(new QPushButton(tr("&Cancel"), this), "cmdCancel");
    cmdOK->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
}

QList<QCheckBox*> frmOptions::activeWindowModifierBoxes() const
{
    return {m_chkActiveWindowCTRL, m_chkActiveWindowSHIFT, m_chkActiveWindowALT};
}

QList<QCheckBox*> frmOptions::timeLapseModifierBoxes() const
{
    return {m_chkTimeLapseCTRL, m_chkTimeLapseSHIFT, m_chkTimeLapseALT};
}

void frmOptions::Form_Load()
{
    showHotkey(m_settings.activeWindowHotkey, m_settings.activeWindowModifiers, m_cboActiveWindow,
               activeWindowModifierBoxes());
    showHotkey(m_settings.timeLapseHotkey, m_settings.timeLapseModifiers, m_cboTimeLapse,
               timeLapseModifierBoxes());
    // An interval set in the settings file beyond what the lists hold shows as near as they
    // allow; cmdOK_Click keeps it unless the user picks another.
    const int seconds = std::clamp(m_settings.timeLapseSeconds, 0, longestInterval);
    m_shownMinutes = seconds / 60;
    m_shownSeconds = seconds % 60;
    m_cboTimeLapseMin->setCurrentIndex(m_shownMinutes);
    m_cboTimeLapseSec->setCurrentIndex(m_shownSeconds);
    m_chkTimeLapseSilent->setChecked(m_settings.timeLapseSilent);
    m_cboQuality->setCurrentText(QString::number(m_settings.jpegQuality));
    const QStringList languages = m_settings.findLanguages.split(QLatin1Char('+'));
    for (int row = 0; row < m_lstFindLanguages->count(); ++row) {
        QListWidgetItem* item = m_lstFindLanguages->item(row);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(languages.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
    m_chkReadWords->setChecked(m_settings.readWords);
    m_txtUnreadPrograms->setText(m_settings.unreadPrograms.join(QStringLiteral(", ")));
    m_chkWindowTitleInFile->setChecked(m_settings.writeWindowTitle);
    m_chkStartWithDesktop->setChecked(m_startsWithDesktop);
    m_chkNotifyCaptures->setChecked(m_settings.notifyCaptures);
}

void frmOptions::cmdOK_Click()
{
    takeHotkey(m_cboActiveWindow, activeWindowModifierBoxes(), m_settings.activeWindowHotkey,
               m_settings.activeWindowModifiers);
    takeHotkey(m_cboTimeLapse, timeLapseModifierBoxes(), m_settings.timeLapseHotkey,
               m_settings.timeLapseModifiers);
    const int minutes = m_cboTimeLapseMin->currentIndex();
    const int seconds = m_cboTimeLapseSec->currentIndex();
    if (minutes != m_shownMinutes || seconds != m_shownSeconds)
        m_settings.timeLapseSeconds = minutes * 60 + seconds;
    m_settings.timeLapseSilent = m_chkTimeLapseSilent->isChecked();
    m_settings.jpegQuality = m_cboQuality->currentText().toInt();
    QStringList languages;
    for (int row = 0; row < m_lstFindLanguages->count(); ++row)
        if (m_lstFindLanguages->item(row)->checkState() == Qt::Checked)
            languages.append(m_lstFindLanguages->item(row)->text());
    // Without languages the data installed with the program reads.
    if (m_lstFindLanguages->count() > 0)
        m_settings.findLanguages =
            languages.isEmpty() ? QStringLiteral("eng") : languages.join(QLatin1Char('+'));
    m_settings.readWords = m_chkReadWords->isChecked();
    m_settings.unreadPrograms = ProgramNames(m_txtUnreadPrograms->text());
    m_settings.writeWindowTitle = m_chkWindowTitleInFile->isChecked();
    m_startsWithDesktop = m_chkStartWithDesktop->isChecked();
    m_settings.notifyCaptures = m_chkNotifyCaptures->isChecked();
    accept();
}

void frmOptions::showReadWords(bool read)
{
    m_settings.readWords = read;
    m_chkReadWords->setChecked(read);
}

void frmOptions::cmdCancel_Click()
{
    reject();
}
