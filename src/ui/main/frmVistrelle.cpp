#include "frmVistrelle.h"

#include "ImageInfo.h"
#include "MainWindowControls.h"
#include "NoImagesPicture.h"
#include "core/AppState.h"
#include "library/DisplayOrder.h"
#include "library/FileOperations.h"
#include "library/LibraryCommands.h"
#include "library/LibraryTree.h"
#include "library/Thumbnails.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/CaptureTicking.h"
#include "ui/Twips.h"
#include "ui/dialogs/LibraryDialogs.h"
#include "ui/modes/frmHelp.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/frmPhotos.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

constexpr int designClientWidth = 6855;
constexpr int designClientHeight = 4605;
constexpr int designLeft = 5100;
constexpr int designTop = 0;

QStringList sortedForDisplay(QStringList items)
{
    SortForDisplay(items);
    return items;
}

const auto exactly = Qt::MatchExactly | Qt::MatchCaseSensitive;

} // namespace

frmVistrelle::frmVistrelle(AppState& state, Services& services, LibraryDialogs& dialogs)
    : QWidget(nullptr)
    , m_state(state)
    , m_services(services)
    , m_dialogs(dialogs)
    , m_ui(this)
{
    setObjectName(QStringLiteral("frmVistrelle"));
    setWindowTitle(QStringLiteral("Vistrelle"));
    setAttribute(Qt::WA_DeleteOnClose);
    connectControls();
    const QSize design(TwipsToPixels(designClientWidth), TwipsToPixels(designClientHeight));
    setFixedSize(design.expandedTo(minimumSizeHint()));
    move(TwipsToPixels(designLeft), TwipsToPixels(designTop));
}

void frmVistrelle::connectControls()
{
    for (int index = 0; index < 2; ++index)
        connect(m_ui.optFormat[index], &QRadioButton::clicked, this,
                [this, index] { optFormat_Click(index); });
    connect(m_ui.cboImageSetCategory, &QComboBox::activated, this, &frmVistrelle::cboImageSetCategory_Click);
    connect(m_ui.cboImageSetName, &QComboBox::activated, this, &frmVistrelle::cboImageSetName_Click);
    connect(m_ui.lstComponents, &QListWidget::currentRowChanged, this, &frmVistrelle::lstComponents_Click);
    connect(m_ui.lstComponents, &QListWidget::itemDoubleClicked, this, &frmVistrelle::lstComponents_DblClick);
    m_ui.lstComponents->installEventFilter(this);
    const std::pair<const char*, void (frmVistrelle::*)()> commands[] = {
        {"cmdExplore", &frmVistrelle::cmdExplore_Click},
        {"cmdRefresh", &frmVistrelle::cmdRefresh_Click},
        {"cmdPhotosBySet", &frmVistrelle::cmdPhotosBySet_Click},
        {"cmdPhotosByCategory", &frmVistrelle::cmdPhotosByCategory_Click},
        {"cmdNewCategory", &frmVistrelle::cmdNewCategory_Click},
        {"cmdNewImageSet", &frmVistrelle::cmdNewImageSet_Click},
        {"cmdDeleteCategory", &frmVistrelle::cmdDeleteCategory_Click},
        {"cmdDeleteImageSet", &frmVistrelle::cmdDeleteImageSet_Click},
        {"cmdFirstImageSet", &frmVistrelle::cmdFirstImageSet_Click},
        {"cmdOptions", &frmVistrelle::cmdOptions_Click},
        {"cmdHelp", &frmVistrelle::cmdHelp_Click},
        {"cmdLowResourceMode", &frmVistrelle::cmdLowResourceMode_Click},
    };
    for (const auto& [name, handler] : commands)
        connect(m_ui.button(name), &QPushButton::clicked, this, handler);
    connect(m_ui.tmrTimer, &QTimer::timeout, this, &frmVistrelle::tmrTimer_Timer);
}

void frmVistrelle::enableTimer()
{
    m_ui.tmrTimer->start();
}

void frmVistrelle::tmrTimer_Timer()
{
    TickAndTell(m_state, m_services, imageSetShown(), [this] { RefreshImageSets(); });
}

bool frmVistrelle::imageSetShown() const
{
    return !m_ui.cboImageSetName->currentText().isEmpty();
}

QString frmVistrelle::categoryFolder() const
{
    return m_state.libraryRoot + m_ui.cboImageSetCategory->currentText() + QLatin1Char('/');
}

QString frmVistrelle::imageSetFolder() const
{
    return ImageSetFolder(m_state.libraryRoot, m_ui.cboImageSetCategory->currentText(),
                          m_ui.cboImageSetName->currentText());
}

void frmVistrelle::selectCategory(int row)
{
    {
        const QSignalBlocker blocker(m_ui.cboImageSetCategory);
        m_ui.cboImageSetCategory->setCurrentIndex(row);
    }
    cboImageSetCategory_Click();
}

void frmVistrelle::selectImageSet(int row)
{
    {
        const QSignalBlocker blocker(m_ui.cboImageSetName);
        m_ui.cboImageSetName->setCurrentIndex(row);
    }
    cboImageSetName_Click();
}

void frmVistrelle::FillCategoryList()
{
    const QString remembered = m_ui.cboImageSetCategory->currentText();
    {
        const QSignalBlocker blocker(m_ui.cboImageSetCategory);
        m_ui.cboImageSetCategory->clear();
        m_ui.cboImageSetCategory->addItems(sortedForDisplay(ListSubfolders(m_state.libraryRoot)));
        m_ui.cboImageSetCategory->setCurrentIndex(-1);
    }
    if (!remembered.isEmpty()) {
        const int row = m_ui.cboImageSetCategory->findText(remembered, exactly);
        if (row >= 0)
            selectCategory(row);
    }
    if (m_ui.cboImageSetCategory->count() > 0 && m_ui.cboImageSetCategory->currentIndex() < 0)
        selectCategory(0);
}

void frmVistrelle::RefreshImageSets()
{
    cboImageSetCategory_Click();
}

void frmVistrelle::RefreshImageSetsAt(int row)
{
    m_restoreListIndex = row;
    RefreshImageSets();
}

void frmVistrelle::cboImageSetCategory_Click()
{
    const QString remembered = m_ui.cboImageSetName->currentText();
    const QString category = m_ui.cboImageSetCategory->currentText();
    {
        const QSignalBlocker blocker(m_ui.cboImageSetName);
        m_ui.cboImageSetName->clear();
        if (!category.isEmpty())
            m_ui.cboImageSetName->addItems(sortedForDisplay(ListSubfolders(categoryFolder())));
        m_ui.cboImageSetName->setCurrentIndex(-1);
    }
    ResetFileTables();
    if (m_ui.cboImageSetName->count() == 0) {
        m_ui.lstComponents->clear();
        m_ui.lblImageInfo->clear();
    }
    const int row = m_ui.cboImageSetName->findText(remembered, exactly);
    if (!remembered.isEmpty() && row >= 0)
        selectImageSet(row);
    else if (m_ui.cboImageSetName->count() > 0)
        selectImageSet(0);
    m_state.currentCategory = category;
    m_state.currentImageSet = m_ui.cboImageSetName->currentText();
    if (m_ui.lstComponents->count() == 0 && !m_state.lowResourceMode)
        emit viewerRefitRequested();
}

void frmVistrelle::cboImageSetName_Click()
{
    RefreshFileList(imageSetFolder());
    m_state.currentImageSet = m_ui.cboImageSetName->currentText();
    if (m_ui.lstComponents->count() == 0 && !m_state.lowResourceMode)
        emit viewerRefitRequested();
}

bool frmVistrelle::SelectImageSet(const QString& setName, const QString& preferredCategory)
{
    QStringList categories;
    for (int row = 0; row < m_ui.cboImageSetCategory->count(); ++row)
        categories.append(m_ui.cboImageSetCategory->itemText(row));
    const std::optional<int> found =
        FindImageSet(m_state.libraryRoot, categories, setName, preferredCategory);
    if (!found)
        return false;
    if (m_ui.cboImageSetCategory->currentIndex() != *found)
        selectCategory(*found);
    if (m_ui.cboImageSetName->currentText() != setName) {
        int row = m_ui.cboImageSetName->findText(setName, exactly);
        if (row < 0)
            row = m_ui.cboImageSetName->findText(setName, Qt::MatchFixedString);
        if (row < 0)
            return false;
        selectImageSet(row);
    }
    return true;
}

void frmVistrelle::ResetFileTables()
{
    m_state.fileListEntries.clear();
    m_state.imageSetFiles.clear();
    if (!m_state.lowResourceMode)
        emit viewerEmptied();
}

void frmVistrelle::RefreshFileList(const QString& folder)
{
    ResetFileTables();
    ResetFileWalk(m_state);
    CollectImages(m_state, folder);
    const int imagesFound = m_state.fileCount - 1;
    FillFileList();
    RefillImageSetFiles(m_state, folder);
    if (m_state.lowResourceMode)
        return;

    m_state.currentFileIndex = 0;
    if (!m_state.fileListEntries.isEmpty()) {
        m_state.currentFileIndex = m_ui.lstComponents->currentRow() + 1;
        ShowViewerImage(QString());
    }
    emit viewerStepsEnabled(m_state.fileListEntries.size() >= 2);
    if (imagesFound > m_state.settings.fileMax)
        tellAboutOverflow(folder, imagesFound);
}

void frmVistrelle::tellAboutOverflow(const QString& folder, int found)
{
    // Once per Image Set and run: the list is refreshed after every capture.
    if (m_overflowTold.contains(folder))
        return;
    m_overflowTold.insert(folder);
    m_services.boxes.show(QStringLiteral("This image set holds %1 images; only the first %2 are listed.  "
                                         "Raise FILEMAX= in Vistrelle.ini to list them all.")
                              .arg(found)
                              .arg(m_state.settings.fileMax),
                          BoxLook::Information);
}

void frmVistrelle::FillFileList()
{
    if (m_state.lowResourceMode)
        return;
    const QSignalBlocker blocker(m_ui.lstComponents);
    QString remembered;
    if (!m_ui.lstComponents->selectedItems().isEmpty() && m_ui.lstComponents->currentItem())
        remembered = m_ui.lstComponents->currentItem()->text();

    m_ui.lstComponents->clear();
    m_ui.lblImageInfo->clear();
    const QStringList paths = sortedForDisplay(m_state.fileList);
    for (const QString& path : paths) {
        m_ui.lstComponents->addItem(FileNameOf(path));
        m_state.fileListEntries.append(path);
    }

    if (!remembered.isEmpty()) {
        const QList<QListWidgetItem*> matches = m_ui.lstComponents->findItems(remembered, exactly);
        if (!matches.isEmpty())
            m_ui.lstComponents->setCurrentItem(matches.first());
    }
    const int lines = m_ui.lstComponents->count();
    const int restore = std::exchange(m_restoreListIndex, 0);
    if (lines == 0)
        return;
    if (restore < 1) {
        if (m_ui.lstComponents->selectedItems().isEmpty())
            m_ui.lstComponents->setCurrentRow(0);
        return;
    }
    m_ui.lstComponents->setCurrentRow(lines > restore ? restore : lines - 1);
    m_ui.lstComponents->setFocus();
}

void frmVistrelle::lstComponents_Click()
{
    const int row = m_ui.lstComponents->currentRow();
    if (row < 0 || row >= m_state.fileListEntries.size())
        return;
    ShowViewerImage(m_state.fileListEntries.at(row));
    m_state.currentFileIndex = row + 1;
}

void frmVistrelle::ShowViewerImage(const QString& path)
{
    QString file = path;
    if (file.isEmpty()) {
        const int row = m_state.currentFileIndex - 1;
        if (row < 0 || row >= m_state.fileListEntries.size())
            return;
        file = m_state.fileListEntries.at(row);
    }
    m_ui.lblImageInfo->setText(ImageInfoLine(file));
    emit viewerShows(file);
}

void frmVistrelle::chooseFormat(const QString& extension)
{
    const int index = extension == QLatin1String(".bmp") ? 1 : 0;
    m_ui.optFormat[index]->setChecked(true);
    optFormat_Click(index);
}

void frmVistrelle::optFormat_Click(int index)
{
    const bool bitmap = index == 1;
    m_state.settings.captureExtension = bitmap ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
    setWindowTitle(bitmap ? QStringLiteral("Vistrelle (BMP)") : QStringLiteral("Vistrelle (JPG)"));
}

void frmVistrelle::cmdExplore_Click()
{
    if (!m_services.shell.explore(m_state.libraryRoot))
        m_services.boxes.show(
            QStringLiteral("Problem encountered trying to open Explorer.exe to Vistrelles directory."),
            BoxLook::Exclamation);
}

void frmVistrelle::cmdOptions_Click()
{
    frmOptions dialog(m_state.settings, this);
    dialog.exec();
}

void frmVistrelle::cmdHelp_Click()
{
    frmHelp dialog(m_services.shell, m_state.programDir, this);
    dialog.exec();
}

void frmVistrelle::cmdLowResourceMode_Click()
{
    if (!imageSetShown()) {
        m_services.boxes.show(QStringLiteral("Please select an image set first."), BoxLook::Information);
        return;
    }
    emit lowResourceModeRequested();
}

void frmVistrelle::cmdRefresh_Click()
{
    FillCategoryList();
    RefreshImageSets();
}

void frmVistrelle::moveFileSelection(int fromRow, int toRow)
{
    if (toRow < 0 || toRow >= m_ui.lstComponents->count())
        return;
    {
        const QSignalBlocker blocker(m_ui.lstComponents);
        if (QListWidgetItem* previous = m_ui.lstComponents->item(fromRow))
            previous->setSelected(false);
        m_ui.lstComponents->setCurrentRow(toRow, QItemSelectionModel::Select);
    }
    m_state.currentFileIndex = toRow + 1;
    ShowViewerImage(QString());
}

QString frmVistrelle::showThumbnails(QList<ThumbnailRow> rows, const QString& caption)
{
    if (rows.isEmpty()) {
        m_services.boxes.show(QStringLiteral("There are no images to show."), BoxLook::Information);
        return {};
    }
    frmPhotos photos(std::move(rows), LogoPicture(), this);
    photos.setWindowTitle(caption);
    return photos.exec() == QDialog::Accepted ? photos.pickedName() : QString();
}

void frmVistrelle::cmdPhotosBySet_Click()
{
    // Without a chosen Image Set the folder would be the whole Category.
    QList<ThumbnailRow> rows;
    if (imageSetShown())
        rows = GatherSetThumbnails(m_state, imageSetFolder());
    const QString picked =
        PickedFileName(showThumbnails(std::move(rows), QStringLiteral("Thumbnail Viewer - Image Set - ") +
                                                           m_ui.cboImageSetName->currentText()));
    const QList<QListWidgetItem*> matches =
        picked.isEmpty() ? QList<QListWidgetItem*>() : m_ui.lstComponents->findItems(picked, exactly);
    if (matches.isEmpty())
        return;
    moveFileSelection(m_ui.lstComponents->currentRow(), m_ui.lstComponents->row(matches.first()));
    m_ui.lstComponents->setFocus();
}

void frmVistrelle::cmdPhotosByCategory_Click()
{
    const QString picked = showThumbnails(GatherCategoryThumbnails(m_state, categoryFolder()),
                                          QStringLiteral("Thumbnail Viewer - Category - ") +
                                              m_ui.cboImageSetCategory->currentText());
    // A name that reads as a file name picks no Image Set.
    if (picked.isEmpty() || !PickedFileName(picked).isEmpty() ||
        picked == m_ui.cboImageSetName->currentText())
        return;
    const int row = m_ui.cboImageSetName->findText(picked, exactly);
    if (row >= 0)
        selectImageSet(row);
}

void frmVistrelle::cmdNewCategory_Click()
{
    const std::optional<QString> name = m_dialogs.AskForName(QString());
    if (!name || name->isEmpty())
        return;
    if (!tellIfNotDone(CreateCategory(m_state.libraryRoot, *name)))
        return;
    FillCategoryList();
    RefreshImageSets();
}

void frmVistrelle::cmdNewImageSet_Click()
{
    if (m_ui.cboImageSetCategory->currentText().isEmpty()) {
        m_services.boxes.show(
            QStringLiteral("No categories exist.  Please create the category you'd like the image set to "
                           "belong in."),
            BoxLook::Information);
        return;
    }
    const std::optional<QString> name = m_dialogs.AskForName(QString());
    if (!name || name->isEmpty())
        return;
    if (tellIfNotDone(CreateImageSet(categoryFolder(), *name)))
        RefreshImageSets();
}

void frmVistrelle::cmdDeleteCategory_Click()
{
    MessageBoxes& boxes = m_services.boxes;
    if (m_ui.cboImageSetCategory->currentText().isEmpty()) {
        boxes.show(QStringLiteral("You must select a category first."), BoxLook::Information);
        return;
    }
    if (boxes.show(
            QStringLiteral("WARNING!!!  This will remove the category and all image sets contained in it.  "
                           "Are you sure?"),
            BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    if (boxes.show(
            QStringLiteral("LAST CHANCE!!!  Removing a category will remove ALL image sets contained in "
                           "it.  Should I Abort?"),
            BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::No)
        return;
    if (!deleteLibraryFolder(categoryFolder()))
        return;
    FillCategoryList();
    RefreshImageSets();
    boxes.show(QStringLiteral("Done."), BoxLook::NoIcon);
}

void frmVistrelle::cmdDeleteImageSet_Click()
{
    MessageBoxes& boxes = m_services.boxes;
    if (!imageSetShown()) {
        boxes.show(QStringLiteral("Please select an image set first."), BoxLook::Information);
        return;
    }
    if (boxes.show(
            QStringLiteral("WARNING!!!  This will remove the image set and all the images contained in "
                           "it.  Are you sure?"),
            BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
        return;
    if (!deleteLibraryFolder(imageSetFolder()))
        return;
    RefreshImageSets();
    boxes.show(QStringLiteral("Done."), BoxLook::NoIcon);
}

bool frmVistrelle::deleteLibraryFolder(const QString& folder)
{
    const Outcome deleted = DeleteLibraryFolder(m_state, folder);
    if (!deleted.done()) {
        m_services.boxes.show(deleted.text, BoxLook::Critical);
        emit endProgramRequested();
        return false;
    }
    tellProblems(deleted);
    return true;
}

bool frmVistrelle::tellIfNotDone(const Outcome& outcome)
{
    if (!outcome.done())
        m_services.boxes.show(outcome.text, BoxLook::Exclamation);
    return outcome.done();
}

void frmVistrelle::tellProblems(const Outcome& outcome)
{
    for (const QString& problem : outcome.problems)
        m_services.boxes.show(problem, BoxLook::Exclamation);
}

void frmVistrelle::cmdFirstImageSet_Click()
{
    const QString imageSet = m_ui.cboImageSetName->currentText();
    if (imageSet.isEmpty()) {
        m_services.boxes.show(QStringLiteral("Please select an image set first."), BoxLook::Information);
        return;
    }
    m_state.settings.introCategory = m_ui.cboImageSetCategory->currentText();
    m_state.settings.introImageSet = imageSet;
    m_services.boxes.show(QStringLiteral("Done.\n\n") + imageSet +
                              QStringLiteral(" will be the first image set you see when you start Vistrelle"),
                          BoxLook::Information);
}

QStringList frmVistrelle::selectedPaths() const
{
    QStringList paths;
    for (int row = 0; row < m_ui.lstComponents->count(); ++row) {
        if (m_ui.lstComponents->item(row)->isSelected() && row < m_state.fileListEntries.size())
            paths.append(m_state.fileListEntries.at(row));
    }
    return paths;
}

bool frmVistrelle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_ui.lstComponents || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Delete:
        lstComponents_KeyDown(Qt::Key_Delete);
        return true;
    case Qt::Key_Space:
        // Ctrl+Space keeps its usual role of adding a line to the selection or taking it out.
        if (key->modifiers() & Qt::ControlModifier)
            return QWidget::eventFilter(watched, event);
        lstComponents_KeyDown(Qt::Key_Space);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        lstComponents_KeyPress(Qt::Key_Return);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmVistrelle::lstComponents_DblClick()
{
    ShowFileOptions();
}

void frmVistrelle::lstComponents_KeyPress(int key)
{
    if (key == Qt::Key_Return)
        ShowFileOptions();
}

void frmVistrelle::lstComponents_KeyDown(int key)
{
    MessageBoxes& boxes = m_services.boxes;
    // The paths are taken before asking: a capture while the question is open refills the list.
    const QStringList paths = selectedPaths();
    if (key == Qt::Key_Delete) {
        if (paths.isEmpty()) {
            boxes.show(QStringLiteral("Select file(s) to delete first."), BoxLook::Exclamation);
            return;
        }
        if (boxes.show(
                QStringLiteral("Are you sure you want to delete the %1 files selected?").arg(paths.size()),
                BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
            return;
        const int row = m_ui.lstComponents->currentRow();
        tellProblems(DeleteFiles(paths));
        RefreshImageSetsAt(row);
    } else if (key == Qt::Key_Space) {
        if (paths.isEmpty()) {
            boxes.show(QStringLiteral("Select file(s) to relocate first."), BoxLook::Exclamation);
            return;
        }
        MoveSelectedFiles(paths);
    }
}

void frmVistrelle::MoveSelectedFiles(const QStringList& paths)
{
    QStringList categories;
    for (int row = 0; row < m_ui.cboImageSetCategory->count(); ++row)
        categories.append(m_ui.cboImageSetCategory->itemText(row));
    const std::optional<ImageSetChoice> target = m_dialogs.AskForRelocation(
        {QStringLiteral("Where should these (%1) files be moved?").arg(paths.size()), categories,
         m_state.libraryRoot, m_state.currentCategory});
    if (!target || target->imageSet.isEmpty() || target->category.isEmpty())
        return;
    const int row = m_ui.lstComponents->currentRow();
    const Outcome moved =
        MoveFilesInto(paths, ImageSetFolder(m_state.libraryRoot, target->category, target->imageSet));
    RefreshImageSetsAt(row);
    if (!moved.problems.isEmpty())
        m_services.boxes.show(
            QStringLiteral("These files were not moved and are still where they were:\n\n") +
                moved.problems.join(QLatin1Char('\n')),
            BoxLook::Exclamation);
    m_services.boxes.show(QStringLiteral("Done."), BoxLook::NoIcon);
}

void frmVistrelle::ShowFileOptions()
{
    const int row = m_ui.lstComponents->currentRow();
    if (row < 0 || row >= m_state.fileListEntries.size())
        return;
    switch (m_dialogs.AskForFileOption()) {
    case FileOption::Open:
        if (!m_services.shell.open(m_state.fileListEntries.at(row)))
            m_services.boxes.show(
                QStringLiteral("I don't know what action to take with the selected file type.  "
                               "Try associating it with a program in Windows Explorer."),
                BoxLook::Exclamation);
        return;
    case FileOption::Rename:
        renameFile(row);
        return;
    case FileOption::Cancel:
        return;
    }
}

void frmVistrelle::renameFile(int row)
{
    const QString lineText = m_ui.lstComponents->item(row)->text();
    const std::optional<QString> name = m_dialogs.AskForName(lineText);
    if (!name || name->isEmpty() || *name == lineText)
        return;
    if (tellIfNotDone(RenameFile(m_state.fileListEntries.at(row), *name)))
        RefreshImageSetsAt(row);
}

void frmVistrelle::closeEvent(QCloseEvent* event)
{
    // The window is deleted only on the way back to the event loop; no tick may run meanwhile.
    m_ui.tmrTimer->stop();
    emit unloading();
    event->accept();
}
