#include "frmHelp.h"

#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "ui/FontFit.h"
#include "ui/Translations.h"
#include "ui/Twips.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int designClientWidth = 2400;
constexpr int designClientHeight = 1875;
constexpr int designControlWidth = 2175;

} // namespace

frmHelp::frmHelp(Shell& shell, MessageBoxes& boxes, QString programDir, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_shell(shell)
    , m_boxes(boxes)
    , m_programDir(std::move(programDir))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Vistrelle Help"));

    auto* cmdContents = new QPushButton(tr("&C o n t e n t s"), this);
    cmdContents->setObjectName(QStringLiteral("cmdContents"));
    auto* cmdExitHelp = new QPushButton(tr("C &a n c e l"), this);
    cmdExitHelp->setObjectName(QStringLiteral("cmdExitHelp"));
    auto* lblVersion = new QLabel(tr("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    // The spaced captions read letter by letter: each button is named in words.
    cmdContents->setAccessibleName(tr("Contents"));
    cmdExitHelp->setAccessibleName(tr("Cancel"));
    // Enter must not press a button the user did not choose; Esc is the dialog's own reject.
    cmdContents->setAutoDefault(false);
    cmdExitHelp->setAutoDefault(false);

    lblVersion->setText(
        tr("Vistrelle Version %1.%2").arg(VISTRELLE_VERSION_MAJOR).arg(VISTRELLE_VERSION_MINOR));

    // The controls share one width: the design's, or what the widest words need in this font.
    const std::initializer_list<QWidget*> controls{cmdContents, cmdExitHelp, lblVersion};
    int controlWidth = TwipsToPixels(designControlWidth);
    for (const QWidget* control : controls)
        controlWidth = std::max(controlWidth, control->sizeHint().width());
    auto* layout = new QVBoxLayout(this);
    for (QWidget* control : controls) {
        control->setFixedWidth(controlWidth);
        layout->addWidget(control);
    }
    setTabOrder(cmdContents, cmdExitHelp);

    const QSize design(TwipsToPixels(designClientWidth), TwipsToPixels(designClientHeight));
    setFixedSize(design.expandedTo(minimumSizeHint()).expandedTo(QSize(CaptionWidth(*this), 0)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(cmdContents, &QPushButton::clicked, this, &frmHelp::cmdContents_Click);
    connect(cmdExitHelp, &QPushButton::clicked, this, &frmHelp::cmdExitHelp_Click);
}

void frmHelp::cmdContents_Click()
{
    // The page in the language the windows speak where there is one, else the English page.
    QString page = m_programDir + QStringLiteral("Vistrelle_%1.htm").arg(SpokenLanguage());
    if (!QFileInfo::exists(page))
        page = m_programDir + QStringLiteral("Vistrelle.htm");
    // A missing help page, or a desktop without a program for web pages.
    MessageBoxes& boxes = m_boxes;
    m_shell.open(page, [&boxes, page] {
        boxes.show(tr("Problem encountered trying to open the help page.\n") + page, BoxLook::Exclamation);
    });
}

void frmHelp::cmdExitHelp_Click()
{
    reject();
}
