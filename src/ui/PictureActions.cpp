#include "PictureActions.h"

#include "capture/CaptureEngine.h"
#include "library/IndexSearch.h"
#include "library/LibraryTree.h"
#include "library/ReaderWorker.h"
#include "platform/ClipboardOffer.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"

#include <QDrag>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QPixmap>

namespace {

// The picture under the pointer of a drag: large enough to know it, small enough not to hide
// where it goes.
constexpr int dragPictureSize = 96;

QAction* named(QAction* action, const char* name)
{
    action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

PictureActions::PictureActions(Services& services, CaptureEngine& engine, ReaderWorker& reading)
    : m_services(services)
    , m_engine(engine)
    , m_reading(reading)
{
}

void PictureActions::copy(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    if (!m_engine.copy(ClipboardOffer::pictures(paths)))
        m_services.boxes.show(tr("The clipboard could not be had: nothing was copied."),
                              BoxLook::Exclamation);
}

PictureWords PictureActions::wordsOf(const QString& path) const
{
    PictureWords words;
    IndexSearch(m_reading.root(), m_reading.file()).wordsOf(path, words);
    return words;
}

QList<QRect> PictureActions::copyText(const QString& path, const QRect& area)
{
    PictureWords words;
    // Not "not read yet": the index could not say.
    if (const Outcome known = IndexSearch(m_reading.root(), m_reading.file()).wordsOf(path, words);
        !known.done()) {
        m_services.boxes.show(known.text, BoxLook::Exclamation);
        return {};
    }
    if (words.state == PictureWords::State::NotRead) {
        m_services.boxes.show(tr("The words of this picture have not been read yet."), BoxLook::Information);
        return {};
    }
    const QString text = area.isValid() ? words.wordsIn(area) : words.text;
    if (text.trimmed().isEmpty()) {
        m_services.boxes.show(area.isValid() ? tr("No words were read inside the rectangle.")
                                             : tr("No words were read in this picture."),
                              BoxLook::Information);
        return {};
    }
    if (!m_engine.copy(ClipboardOffer::words(text))) {
        m_services.boxes.show(tr("The clipboard could not be had: nothing was copied."),
                              BoxLook::Exclamation);
        return {};
    }
    return area.isValid() ? words.boxesIn(area) : words.boxes;
}

void PictureActions::open(const QString& path)
{
    MessageBoxes& boxes = m_services.boxes;
    m_services.shell.open(path, [&boxes] {
        boxes.show(tr("I don't know what action to take with the selected file type.  "
                      "Try associating it with a program in your file manager."),
                   BoxLook::Exclamation);
    });
}

void PictureActions::openWith(const QString& path, const QString& id, const QString& name)
{
    MessageBoxes& boxes = m_services.boxes;
    m_services.shell.openWith(path, id, [&boxes, path, name] {
        boxes.show(tr("%1 could not open %2").arg(name, path), BoxLook::Exclamation);
    });
}

void PictureActions::showInFolder(const QString& path)
{
    MessageBoxes& boxes = m_services.boxes;
    m_services.shell.showInFolder(path, [&boxes, path] {
        boxes.show(tr("Problem encountered trying to show the file in the file manager.\n") + path,
                   BoxLook::Exclamation);
    });
}

QMenu* PictureActions::showMenu(const QStringList& paths, const QPoint& where, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("mnuPicture"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString path = paths.value(0);
    const bool one = paths.size() == 1;
    QAction* copy =
        named(menu->addAction(tr("&Copy"), this, [this, paths] { this->copy(paths); }), "mnuCopy");
    copy->setShortcut(QKeySequence::Copy);
    named(menu->addAction(tr("Copy &Text"), this, [this, path] { copyText(path); }), "mnuCopyText")
        ->setEnabled(one);
    named(menu->addAction(tr("&Open"), this, [this, path] { open(path); }), "mnuOpen")->setEnabled(one);
    QMenu* with = menu->addMenu(tr("Open &With"));
    with->setObjectName(QStringLiteral("mnuOpenWith"));
    const QList<DesktopProgram> programs = one ? m_services.shell.programsFor(path) : QList<DesktopProgram>();
    for (const DesktopProgram& program : programs) {
        const QIcon icon =
            QFileInfo(program.icon).isAbsolute() ? QIcon(program.icon) : QIcon::fromTheme(program.icon);
        with->addAction(icon, program.name, this,
                        [this, path, program] { openWith(path, program.id, program.name); });
    }
    with->setEnabled(!programs.isEmpty());
    named(menu->addAction(tr("Show in &Folder"), this, [this, path] { showInFolder(path); }),
          "mnuShowInFolder")
        ->setEnabled(one);
    menu->addSeparator();
    const std::pair<const char*, FileCommand> commands[] = {{QT_TR_NOOP("&Rename"), FileCommand::Rename},
                                                            {QT_TR_NOOP("&Move..."), FileCommand::Move},
                                                            {QT_TR_NOOP("&Delete"), FileCommand::Delete}};
    const char* names[] = {"mnuRename", "mnuMove", "mnuDelete"};
    for (int i = 0; i < 3; ++i) {
        const FileCommand command = commands[i].second;
        QAction* action =
            named(menu->addAction(tr(commands[i].first), this,
                                  [this, paths, command] { emit fileCommandRequested(paths, command); }),
                  names[i]);
        action->setEnabled(one || command != FileCommand::Rename);
    }
    menu->popup(where);
    return menu;
}

void PictureActions::drag(const QStringList& paths, QWidget* source, const QImage& picture)
{
    if (paths.isEmpty())
        return;
    auto* drag = new QDrag(source);
    drag->setMimeData(ClipboardOffer::pictures(paths));
    if (!picture.isNull())
        drag->setPixmap(QPixmap::fromImage(
            picture.scaled(dragPictureSize, dragPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    // Only ever a copy: a drop target that asks to move the file gets a copy, and the library
    // keeps its picture.
    drag->exec(Qt::CopyAction, Qt::CopyAction);
}
