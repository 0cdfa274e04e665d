#include "frmEnterName.h"

#include "OkCancelButtons.h"
#include "platform/MessageBoxes.h"
#include "ui/FontFit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

namespace {

// A NUL ends a name on the way to the file system, so it is never let into the box.
class NoNulValidator final : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return input.contains(QChar(u'\0')) ? Invalid : Acceptable;
    }
};

} // namespace

NameCheck CheckEnteredName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char(' ')) || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return NameCheck::Empty;
    // A name beginning with "." would make a hidden folder or file that no list shows again.
    if (name.startsWith(QLatin1Char('.')))
        return NameCheck::InvalidCharacter;
    for (const QChar forbidden : QStringLiteral("\\/:?<>|*")) {
        if (name.contains(forbidden))
            return NameCheck::InvalidCharacter;
    }
    return NameCheck::Accepted;
}

frmEnterName::frmEnterName(const QString& what, const QString& proposed, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent)
    , m_boxes(boxes)
{
    setObjectName(QStringLiteral("frmEnterName"));
    setWindowTitle(tr("Enter a name ..."));
    auto* lblWhat = new QLabel(what, this);
    lblWhat->setObjectName(QStringLiteral("lblWhat"));
    lblWhat->setWordWrap(true);
    m_txtEnterName = new QLineEdit(proposed, this);
    m_txtEnterName->setObjectName(QStringLiteral("txtEnterName"));
    m_txtEnterName->setValidator(new NoNulValidator(m_txtEnterName));
    lblWhat->setBuddy(m_txtEnterName);
    m_txtEnterName->setMinimumWidth(std::max(300, CaptionWidth(*this)));
    // A file's name is offered with its extension left out of the selection: typing a new name
    // then keeps the extension, and the file stays in the list.
    if (const qsizetype dot = proposed.lastIndexOf(QLatin1Char('.')); dot > 0)
        m_txtEnterName->setSelection(0, static_cast<int>(dot));
    const auto [cmdOK, cmdCancel] = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWhat);
    layout->addWidget(m_txtEnterName);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    setTabOrder(m_txtEnterName, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    m_txtEnterName->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmEnterName::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEnterName::cmdCancel_Click);
}

void frmEnterName::cmdOK_Click()
{
    const QString name = m_txtEnterName->text();
    switch (CheckEnteredName(name)) {
    case NameCheck::Empty:
        m_txtEnterName->clear();
        m_boxes.show(tr("Please enter a name."), BoxLook::Information);
        return;
    case NameCheck::InvalidCharacter:
        m_boxes.show(tr("Invalid character found in name. Cannot use \\, /, :, ?, <, >, |, *, or ."),
                     BoxLook::Exclamation);
        return;
    case NameCheck::Accepted:
        m_enteredName = name;
        accept();
        return;
    }
}

void frmEnterName::cmdCancel_Click()
{
    reject();
}
