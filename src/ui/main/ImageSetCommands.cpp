#include "ImageSetCommands.h"

#include "MainWindowControls.h"
#include "core/AppState.h"
#include "library/LibraryCommands.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "ui/dialogs/LibraryDialogs.h"

#include <QComboBox>

ImageSetCommands::ImageSetCommands(const MainWindowControls& controls, AppState& state, Services& services,
                                   LibraryDialogs& dialogs, QObject* parent)
    : QObject(parent)
    , m_controls(controls)
    , m_state(state)
    , m_services(services)
    , m_dialogs(dialogs)
{
}

QString ImageSetCommands::category() const
{
    return m_controls.cboImageSetCategory->currentText();
}

QString ImageSetCommands::imageSet() const
{
    return m_controls.cboImageSetName->currentText();
}

QString ImageSetCommands::categoryFolder() const
{
    return m_state.libraryRoot + category() + QLatin1Char('/');
}

void ImageSetCommands::cmdNewCategory_Click()
{
    const std::optional<QString> name = m_dialogs.AskForName(m_controls.cboImageSetCategory->window(),
                                                             tr("Name of the new Category:"), QString());
    if (name && !name->isEmpty() && tellIfNotDone(CreateCategory(m_state.libraryRoot, *name)))
        emit categoryCreated(*name);
}

void ImageSetCommands::cmdNewImageSet_Click()
{
    if (category().isEmpty()) {
        m_services.boxes.show(tr("No categories exist.  Please create the category you'd like the "
                                 "image set to belong in."),
                              BoxLook::Information);
        return;
    }
    const std::optional<QString> name =
        m_dialogs.AskForName(m_controls.cboImageSetCategory->window(),
                             tr("Name of the new Image Set in %1:").arg(category()), QString());
    if (name && !name->isEmpty() && tellIfNotDone(CreateImageSet(categoryFolder(), *name)))
        emit imageSetCreated(*name);
}

void ImageSetCommands::cmdDeleteCategory_Click()
{
    MessageBoxes& boxes = m_services.boxes;
    if (category().isEmpty()) {
        boxes.show(tr("You must select a category first."), BoxLook::Information);
        return;
    }
    if (boxes.show(tr("WARNING!!!  This will remove the category and all image sets contained in "
                      "it.  Are you sure?"),
                   BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    if (boxes.show(tr("LAST CHANCE!!!  Removing a category will remove ALL image sets contained in "
                      "it.  Should I Abort?"),
                   BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::No)
        return;
    if (deleteLibraryFolder(categoryFolder(), &ImageSetCommands::categoriesChanged))
        boxes.show(tr("Done."), BoxLook::NoIcon);
}

void ImageSetCommands::cmdDeleteImageSet_Click()
{
    MessageBoxes& boxes = m_services.boxes;
    if (imageSet().isEmpty()) {
        boxes.show(tr("Please select an image set first."), BoxLook::Information);
        return;
    }
    if (boxes.show(tr("WARNING!!!  This will remove the image set and all the images contained in "
                      "it.  Are you sure?"),
                   BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    if (deleteLibraryFolder(ImageSetFolder(m_state.libraryRoot, category(), imageSet()),
                            &ImageSetCommands::imageSetsChanged))
        boxes.show(tr("Done."), BoxLook::NoIcon);
}

void ImageSetCommands::cmdFirstImageSet_Click()
{
    if (imageSet().isEmpty()) {
        m_services.boxes.show(tr("Please select an image set first."), BoxLook::Information);
        return;
    }
    m_state.settings.introCategory = category();
    m_state.settings.introImageSet = imageSet();
    emit introSetChosen();
}

bool ImageSetCommands::deleteLibraryFolder(const QString& folder, void (ImageSetCommands::*changed)())
{
    MessageBoxes& boxes = m_services.boxes;
    DeleteOutcome deleted = TrashLibraryFolder(m_state, folder);
    if (!deleted.notTrashed.isEmpty()) {
        if (boxes.show(tr("%1 cannot be moved to the trash (%2).  Delete it and everything in it for good?")
                           .arg(deleted.notTrashed.first(), deleted.trashError),
                       BoxLook::Exclamation, BoxButtons::YesNo) != BoxAnswer::Yes)
            return false;
        deleted = DeleteLibraryFolder(m_state, folder);
    }
    if (deleted.critical) {
        boxes.show(deleted.outcome.text, BoxLook::Critical);
        emit endProgramRequested();
        return false;
    }
    if (!deleted.outcome.done()) {
        boxes.show(deleted.outcome.text, BoxLook::Exclamation);
        return false;
    }
    emit(this->*changed)();
    // What had to stay is told; "Done." is said only when nothing did.
    for (const QString& problem : deleted.outcome.problems)
        boxes.show(problem, BoxLook::Exclamation);
    return deleted.outcome.problems.isEmpty();
}

bool ImageSetCommands::tellIfNotDone(const Outcome& outcome)
{
    if (!outcome.done())
        m_services.boxes.show(outcome.text, BoxLook::Exclamation);
    return outcome.done();
}
