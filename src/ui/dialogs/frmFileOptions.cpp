#include "frmFileOptions.h"

#include "ui/FontFit.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* optionButton(QWidget* parent, const char* name, const QString& caption, const QString& tooltip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tooltip);
    button->setMinimumSize(160, 32);
    return button;
}

} // namespace

frmFileOptions::frmFileOptions(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFileOptions"));
    setWindowTitle(tr("Vistrelle File Options"));
    auto* cmdContents =
        optionButton(this, "cmdContents", tr("&O p e n"), tr("Open the file with its associated program"));
    auto* cmdRename = optionButton(this, "cmdRename", tr("&R e n a m e"), tr("Rename the file"));
    auto* cmdExitFileOptions = optionButton(this, "cmdExitFileOptions", tr("&C a n c e l"), QString());
    // The spaced captions read letter by letter: each button is named in words.
    cmdContents->setAccessibleName(tr("Open"));
    cmdRename->setAccessibleName(tr("Rename"));
    cmdExitFileOptions->setAccessibleName(tr("Cancel"));
    auto* column = new QVBoxLayout(this);
    for (QPushButton* button : {cmdContents, cmdRename, cmdExitFileOptions})
        column->addWidget(button);
    setMinimumWidth(CaptionWidth(*this));
    setTabOrder(cmdContents, cmdRename);
    setTabOrder(cmdRename, cmdExitFileOptions);

    connect(cmdContents, &QPushButton::clicked, this, &frmFileOptions::cmdContents_Click);
    connect(cmdRename, &QPushButton::clicked, this, &frmFileOptions::cmdRename_Click);
    connect(cmdExitFileOptions, &QPushButton::clicked, this, &frmFileOptions::cmdExitFileOptions_Click);
}

void frmFileOptions::cmdContents_Click()
{
    m_choice = FileOption::Open;
    accept();
}

void frmFileOptions::cmdRename_Click()
{
    m_choice = FileOption::Rename;
    accept();
}

void frmFileOptions::cmdExitFileOptions_Click()
{
    m_choice = FileOption::Cancel;
    reject();
}
