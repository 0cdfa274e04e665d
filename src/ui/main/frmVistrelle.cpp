#include "frmVistrelle.h"

#include "FileCommands.h"
#include "FileList.h"
#include "FindPanel.h"
#include "ImageInfo.h"
#include "ImageSetCommands.h"
#include "LiveFolders.h"
#include "MainWindowControls.h"
#include "capture/CaptureEngine.h"
#include "capture/CapturePause.h"
#include "core/AppState.h"
#include "core/Autostart.h"
#include "library/FolderNamesModel.h"
#include "library/ImageSetModel.h"
#include "library/IntroImage.h"
#include "library/LibraryCommands.h"
#include "library/LibraryPictures.h"
#include "library/ReaderWorker.h"
#include "library/Thumbnails.h"
#include "platform/FreedMemory.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/TextReader.h"
#include "ui/CaptureCaption.h"
#include "ui/Twips.h"
#include "ui/dialogs/LibraryDialogs.h"
#include "ui/dialogs/ModalDialog.h"
#include "ui/modes/frmHelp.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/frmPhotos.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QThreadPool>
#include <algorithm>
#include <utility>

namespace {

constexpr int designClientWidth = 6855;
constexpr int designClientHeight = 4605;
constexpr int designLeft = 5100;
constexpr int designTop = 0;

// Lines of a set that are worth letting go of away from the window's thread.
constexpr qsizetype largeSetDrop = 10000;

// The capture extension of each format option, in the options' order.
const char* const formatExtensions[] = {".jpg", ".bmp", ".png"};

} // namespace

frmVistrelle::frmVistrelle(AppState& state, Services& services, LibraryDialogs& dialogs,
                           CaptureEngine& engine, ReaderWorker& reading, PictureActions& pictures)
    : QWidget(nullptr)
    , m_state(state)
    , m_services(services)
    , m_dialogs(dialogs)
    , m_engine(engine)
    , m_pictures(pictures)
    , m_ui(this, new FileList(this))
    , m_setCommands(new ImageSetCommands(m_ui, state, services, dialogs, this))
    , m_find(new FindPanel(this, state, reading))
    , m_fileCommands(new FileCommands(*m_ui.lstComponents, state, services, dialogs))
    , m_reading(reading)
    , m_live(new LiveFolders(services.watcher, m_ui.lstComponents->files(), this))
    , m_categories(new FolderNamesModel(this))
    , m_imageSets(new FolderNamesModel(this))
{
    m_ui.cboImageSetCategory->setModel(m_categories);
    m_ui.cboImageSetName->setModel(m_imageSets);
    m_find->placeIn(qobject_cast<QGridLayout*>(layout()), m_ui.lstComponents, m_ui.lblImageFiles);
    setObjectName(QStringLiteral("frmVistrelle"));
    setWindowTitle(QStringLiteral("Vistrelle"));
    setAttribute(Qt::WA_DeleteOnClose);
    connectControls();
    // Back from low-resource mode, capturing may still be paused.
    m_ui.chkPauseCapturing->setChecked(m_state.capturePaused);
    const QSize design(TwipsToPixels(designClientWidth), TwipsToPixels(designClientHeight));
    setFixedSize(design.expandedTo(minimumSizeHint()));
    move(TwipsToPixels(designLeft), TwipsToPixels(designTop));
}

void frmVistrelle::connectControls()
{
    for (int index = 0; index < 3; ++index)
        connect(m_ui.optFormat[index], &QRadioButton::clicked, this,
                [this, index] { optFormat_Click(index), emit settingsChanged(); });
    connect(m_ui.chkPauseCapturing, &QCheckBox::clicked, this, &frmVistrelle::chkPauseCapturing_Click);
    connect(m_ui.cboImageSetCategory, &QComboBox::activated, this, &frmVistrelle::cboImageSetCategory_Click);
    connect(m_ui.cboImageSetName, &QComboBox::activated, this, &frmVistrelle::cboImageSetName_Click);
    FileList* list = m_ui.lstComponents;
    connect(list, &FileList::currentFileChanged, this, &frmVistrelle::lstComponents_Click);
    // A click on the line already current is a choice too: the user looks at that picture.
    connect(list, &QAbstractItemView::clicked, this, [this] { m_chosenSinceShown = true; });
    connect(list, &FileList::deleteKeyPressed, m_fileCommands, &FileCommands::DeleteSelectedFiles);
    connect(list, &FileList::spaceKeyPressed, m_fileCommands, &FileCommands::MoveSelectedFiles);
    connect(list, &FileList::fileOptionsRequested, m_fileCommands, &FileCommands::ShowFileOptions);
    connect(list, &FileList::copyRequested, this, &frmVistrelle::copySelectedFiles);
    connect(list, &FileList::menuRequested, this, [this](const QPoint& where) {
        m_pictures.showMenu(m_ui.lstComponents->selectedPaths(), where, this);
    });
    connect(m_find, &FindPanel::menuRequested, this,
            [this](const QString& path, const QPoint& where) { m_pictures.showMenu({path}, where, this); });
    connect(m_find, &FindPanel::copyRequested, this,
            [this](const QString& path) { m_pictures.copy({path}); });
    // Run once the menu that asked is closed.
    connect(&m_pictures, &PictureActions::fileCommandRequested, this, &frmVistrelle::runFileCommand,
            Qt::QueuedConnection);
    connect(m_fileCommands, &FileCommands::refreshRequested, this, &frmVistrelle::RefreshImageSetsAt);
    m_fileCommands->setCategories(m_categories);
    const std::pair<const char*, void (frmVistrelle::*)()> commands[] = {
        {"cmdExplore", &frmVistrelle::cmdExplore_Click},
        {"cmdRefresh", &frmVistrelle::cmdRefresh_Click},
        {"cmdPhotosBySet", &frmVistrelle::cmdPhotosBySet_Click},
        {"cmdPhotosByCategory", &frmVistrelle::cmdPhotosByCategory_Click},
        {"cmdOptions", &frmVistrelle::cmdOptions_Click},
        {"cmdHelp", &frmVistrelle::cmdHelp_Click},
        {"cmdLowResourceMode", &frmVistrelle::cmdLowResourceMode_Click},
    };
    for (const auto& [name, handler] : commands)
        connect(m_ui.button(name), &QPushButton::clicked, this, handler);
    const std::pair<const char*, void (ImageSetCommands::*)()> setCommands[] = {
        {"cmdNewCategory", &ImageSetCommands::cmdNewCategory_Click},
        {"cmdNewImageSet", &ImageSetCommands::cmdNewImageSet_Click},
        {"cmdDeleteCategory", &ImageSetCommands::cmdDeleteCategory_Click},
        {"cmdDeleteImageSet", &ImageSetCommands::cmdDeleteImageSet_Click},
        {"cmdFirstImageSet", &ImageSetCommands::cmdFirstImageSet_Click},
    };
    for (const auto& [name, handler] : setCommands)
        connect(m_ui.button(name), &QPushButton::clicked, m_setCommands, handler);
    connect(m_setCommands, &ImageSetCommands::categoriesChanged, this, &frmVistrelle::cmdRefresh_Click);
    connect(m_setCommands, &ImageSetCommands::imageSetsChanged, this, &frmVistrelle::RefreshImageSets);
    connect(m_setCommands, &ImageSetCommands::categoryCreated, this, &frmVistrelle::showCreatedCategory);
    connect(m_setCommands, &ImageSetCommands::imageSetCreated, this, &frmVistrelle::showCreatedImageSet);
    connect(m_setCommands, &ImageSetCommands::endProgramRequested, this, &frmVistrelle::endProgramRequested);
    connect(m_setCommands, &ImageSetCommands::introSetChosen, this, &frmVistrelle::introSetChosen);
    // A hotkey or a desktop's shortcut may start or stop time-lapse.
    connect(&m_engine, &CaptureEngine::timeLapseChanged, this, &frmVistrelle::showCaption);
    connect(&m_engine, &CaptureEngine::filed, this, &frmVistrelle::fileCaptured);
    connect(&m_engine, &CaptureEngine::noted, this, &frmVistrelle::showCaptureNote);
    connect(&m_engine, &CaptureEngine::recovered, this, [this](const QString& path) {
        // The set may have been listed with it already, once it had its name.
        if (m_ui.lstComponents->files().rowOf(path) < 0)
            listCapture(path, false);
    });
    connect(m_find, &FindPanel::chosen, this, &frmVistrelle::showFound);
    connect(m_live, &LiveFolders::categoriesChanged, this, &frmVistrelle::followCategories);
    connect(m_live, &LiveFolders::imageSetsChanged, this, &frmVistrelle::followImageSets);
    connect(m_live, &LiveFolders::picturesChanged, this, &frmVistrelle::followPictures);
    connect(m_live, &LiveFolders::picturesNoticed, &m_engine, &CaptureEngine::arrivedInImageSet);
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
    m_ui.cboImageSetCategory->setCurrentIndex(row);
    cboImageSetCategory_Click();
}

void frmVistrelle::selectImageSet(int row)
{
    m_ui.cboImageSetName->setCurrentIndex(row);
    cboImageSetName_Click();
}

void frmVistrelle::FillCategoryList()
{
    if (const int row = m_categories->list(m_state.libraryRoot, m_ui.cboImageSetCategory->currentText());
        row >= 0)
        selectCategory(row);
    followShown();
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
    const QString category = m_ui.cboImageSetCategory->currentText();
    const int row = m_imageSets->list(category.isEmpty() ? QString() : categoryFolder(),
                                      m_ui.cboImageSetName->currentText());
    ResetFileTables();
    if (row >= 0) {
        selectImageSet(row);
    } else {
        m_ui.lstComponents->files().clear();
        m_ui.lblImageInfo->clear();
    }
    m_state.currentCategory = category;
    m_state.currentImageSet = m_ui.cboImageSetName->currentText();
    followShown();
    if (m_ui.lstComponents->files().rowCount() == 0 && !m_state.lowResourceMode)
        emit viewerRefitRequested();
}

void frmVistrelle::cboImageSetName_Click()
{
    // Captures go to the set shown from now on, also while a message of the refill is open.
    m_state.currentCategory = m_ui.cboImageSetCategory->currentText();
    m_state.currentImageSet = m_ui.cboImageSetName->currentText();
    RefreshFileList(imageSetFolder());
    if (m_ui.lstComponents->files().rowCount() == 0 && !m_state.lowResourceMode)
        emit viewerRefitRequested();
}

bool frmVistrelle::SelectImageSet(const QString& setName, const QString& preferredCategory)
{
    const std::optional<int> found =
        FindImageSet(m_state.libraryRoot, m_categories->names(), setName, preferredCategory);
    if (!found)
        return false;
    if (m_ui.cboImageSetCategory->currentIndex() != *found)
        selectCategory(*found);
    if (m_ui.cboImageSetName->currentText() != setName) {
        int row = m_imageSets->rowOf(setName);
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
    if (!m_state.lowResourceMode)
        emit viewerEmptied();
}

void frmVistrelle::RefreshFileList(const QString& folder)
{
    ResetFileTables();
    QStringList images = ListImageSet(folder, &m_subfolders);
    const qsizetype imagesFound = images.size();
    FillFileList(folder, std::move(images));
    followShown();
    if (m_state.lowResourceMode)
        return;

    const ImageSetModel& files = m_ui.lstComponents->files();
    if (folder != m_shownFolder) {
        m_shownFolder = folder;
        m_chosenSinceShown = false;
    }
    // Captures' names follow their time, so the last line stands for the newest picture until
    // one is captured.
    if (files.rowOf(m_newest) < 0)
        m_newest = files.paths().value(files.rowCount() - 1);
    if (files.rowCount() > 0)
        ShowViewerImage(QString());
    emit viewerStepsEnabled(files.rowCount() >= 2);
    if (imagesFound > m_state.settings.fileMax)
        tellAboutOverflow(folder, imagesFound);
}

void frmVistrelle::tellAboutOverflow(const QString& folder, qsizetype found)
{
    // Once per Image Set and run: the list is refreshed after every capture.
    if (m_overflowTold.contains(folder))
        return;
    m_overflowTold.insert(folder);
    m_services.boxes.show(tr("This image set holds %1 images; only the first %2 are listed.  "
                             "Raise FILEMAX= in Vistrelle.ini to list them all.")
                              .arg(found)
                              .arg(m_state.settings.fileMax),
                          BoxLook::Information);
}

void frmVistrelle::followShown()
{
    if (m_state.lowResourceMode) {
        m_live->stop();
        return;
    }
    const bool categoryShown = !m_ui.cboImageSetCategory->currentText().isEmpty();
    const bool listed = !m_ui.lstComponents->files().folder().isEmpty();
    m_live->follow(m_state.libraryRoot, categoryShown ? categoryFolder() : QString(),
                   listed ? m_subfolders : QStringList(), m_state.settings.fileMax);
}

void frmVistrelle::followCategories()
{
    const QString category = m_ui.cboImageSetCategory->currentText();
    const QString imageSet = m_ui.cboImageSetName->currentText();
    if (m_categories->follow(category))
        return;
    FillCategoryList();
    if (!imageSet.isEmpty())
        tellImageSetGone(category, imageSet);
}

void frmVistrelle::followImageSets()
{
    const QString imageSet = m_ui.cboImageSetName->currentText();
    if (m_imageSets->follow(imageSet))
        return;
    RefreshImageSets();
    if (!imageSet.isEmpty())
        tellImageSetGone(m_ui.cboImageSetCategory->currentText(), imageSet);
}

void frmVistrelle::tellImageSetGone(const QString& category, const QString& imageSet)
{
    m_services.boxes.show(QStringLiteral("The image set \"%1\" of \"%2\" is gone: another program removed or "
                                         "renamed it.")
                              .arg(imageSet, category),
                          BoxLook::Information);
}

void frmVistrelle::followPictures(const QStringList& added, const QStringList& removed)
{
    if (m_state.lowResourceMode)
        return;
    FileList& list = *m_ui.lstComponents;
    ImageSetModel& files = list.files();
    // One file gone and one come at once is a rename: the line moves, selected as it was.
    if (removed.size() == 1 && added.size() == 1 && files.rowOf(added.first()) < 0) {
        const bool shown = files.path(list.currentRow()) == removed.first();
        files.renameImage(removed.first(), added.first());
        if (m_newest == removed.first())
            m_newest = added.first();
        if (shown)
            ShowViewerImage(QString());
        m_reading.refreshFiles(removed + added);
        return;
    }
    const bool currentGone = list.removeFiles(removed);
    QStringList listed;
    for (const QString& path : added)
        if (files.rowOf(path) < 0 && files.rowCount() < m_state.settings.fileMax) {
            files.insertImage(path);
            listed.append(path);
        }
    if (files.rowOf(m_newest) < 0)
        m_newest = files.paths().value(files.rowCount() - 1);
    if (currentGone && files.rowCount() > 0)
        ShowViewerImage(QString());
    else if (currentGone) {
        m_ui.lblImageInfo->clear();
        ResetFileTables();
        emit viewerRefitRequested();
    }
    emit viewerStepsEnabled(files.rowCount() >= 2);
    m_reading.refreshFiles(removed + listed);
    m_find->refresh();
}

void frmVistrelle::FillFileList(const QString& folder, QStringList images)
{
    if (m_state.lowResourceMode)
        return;
    m_ui.lblImageInfo->clear();
    QStringList previous = m_ui.lstComponents->files().paths();
    m_ui.lstComponents->fill(folder, std::move(images), m_state.settings.fileMax,
                             std::exchange(m_restoreListIndex, 0));
    // The lines of a large set are let go of away from the window's thread, and the heap's free
    // pages handed back to the system.
    if (previous.size() >= largeSetDrop)
        QThreadPool::globalInstance()->start([gone = std::move(previous)]() mutable {
            gone = QStringList();
            TrimHeap();
        });
}

void frmVistrelle::lstComponents_Click(int row)
{
    m_chosenSinceShown = true;
    ShowViewerImage(m_ui.lstComponents->files().path(row));
}

void frmVistrelle::ShowViewerImage(const QString& path)
{
    QString file = path;
    if (file.isEmpty())
        file = m_ui.lstComponents->files().path(m_ui.lstComponents->currentRow());
    if (file.isEmpty())
        return;
    m_ui.lblImageInfo->setText(ImageInfoLine(file));
    emit viewerShows(file);
}

void frmVistrelle::chooseFormat(const QString& extension)
{
    int index = 0;
    for (int option = 1; option < 3; ++option)
        if (extension == QLatin1String(formatExtensions[option]))
            index = option;
    m_ui.optFormat[index]->setChecked(true);
    optFormat_Click(index);
}

void frmVistrelle::optFormat_Click(int index)
{
    m_state.settings.captureExtension = QLatin1String(formatExtensions[index]);
    showCaption();
}

void frmVistrelle::chkPauseCapturing_Click()
{
    SetCapturePaused(m_state, m_services, m_engine, m_ui.chkPauseCapturing->isChecked());
    showCaption();
    m_find->showProgress();
}

void frmVistrelle::showCaption()
{
    setWindowTitle(CaptureCaption(m_state));
}

void frmVistrelle::cmdExplore_Click()
{
    // The answer may come after this window is gone (low-resource mode): it keeps only the boxes.
    MessageBoxes& boxes = m_services.boxes;
    const QString folder = m_state.libraryRoot;
    m_services.shell.explore(folder, [&boxes, folder] {
        boxes.show(tr("Problem encountered trying to open the file manager to Vistrelles directory.\n") +
                       folder,
                   BoxLook::Exclamation);
    });
}

void frmVistrelle::cmdOptions_Click()
{
    const bool startsWithDesktop = QFileInfo::exists(AutostartEntryPath());
    frmOptions dialog(m_state.settings, m_services.reader.installedLanguages(), startsWithDesktop, this);
    connect(&dialog, &frmOptions::forgetWordsRequested, this, [this, &dialog] {
        // Nothing is read again before the user says so.
        m_state.settings.readWords = false;
        emit wordsForgotten();
        const bool again = m_services.boxes.show(tr("The words read from your screenshots are forgotten.\n\n"
                                                    "Read the words in your screenshots again?  If not, "
                                                    "nothing is read until you tick \"Read the words in "
                                                    "screenshots\" in Options."),
                                                 BoxLook::Information, BoxButtons::YesNo) == BoxAnswer::Yes;
        m_state.settings.readWords = again;
        dialog.showReadWords(again);
        emit settingsChanged();
    });
    if (!ShowModal(dialog))
        return;
    m_state.settings = dialog.chosen();
    emit settingsChanged();
    if (dialog.startsWithDesktop() == startsWithDesktop)
        return;
    // Started with the desktop, the program comes back on the library it runs on now.
    const QString libraryParent =
        m_state.libraryGiven ? m_state.libraryRoot.chopped(QStringLiteral("Vistrelles/").size()) : QString();
    const Outcome set = SetStartWithDesktop(dialog.startsWithDesktop(),
                                            QCoreApplication::applicationFilePath(), libraryParent);
    if (!set.done())
        m_services.boxes.show(tr("Could not change %1 (%2)").arg(AutostartEntryPath(), set.text),
                              BoxLook::Exclamation);
}

void frmVistrelle::cmdHelp_Click()
{
    frmHelp dialog(m_services.shell, m_services.boxes, m_state.programDir, this);
    ShowModal(dialog);
}

void frmVistrelle::cmdLowResourceMode_Click()
{
    if (!imageSetShown()) {
        m_services.boxes.show(tr("Please select an image set first."), BoxLook::Information);
        return;
    }
    emit lowResourceModeRequested();
}

void frmVistrelle::cmdRefresh_Click()
{
    FillCategoryList();
    RefreshImageSets();
    m_find->walkLibrary();
    // A picture that could not be filed is tried again, now that the user says things changed.
    m_engine.retry();
}

void frmVistrelle::showCreatedCategory(const QString& name)
{
    FillCategoryList();
    if (const int row = m_categories->rowOf(name); row >= 0)
        selectCategory(row);
    else
        RefreshImageSets();
}

void frmVistrelle::showCreatedImageSet(const QString& name)
{
    RefreshImageSets();
    const int row = m_imageSets->rowOf(name);
    if (row >= 0 && row != m_ui.cboImageSetName->currentIndex())
        selectImageSet(row);
}

void frmVistrelle::moveFileSelection(int fromRow, int toRow)
{
    if (toRow < 0 || toRow >= m_ui.lstComponents->files().rowCount())
        return;
    m_chosenSinceShown = true;
    m_ui.lstComponents->moveSelection(fromRow, toRow);
    ShowViewerImage(QString());
}

void frmVistrelle::showCaptureNote(const QString& note)
{
    m_ui.lblCaptureStatus->setText(note);
}

void frmVistrelle::stepFile(int step)
{
    const int rows = m_ui.lstComponents->files().rowCount();
    const int current = m_ui.lstComponents->currentRow();
    if (current < 0 || rows == 0)
        return;
    moveFileSelection(current, ((current + step) % rows + rows) % rows);
}

void frmVistrelle::makeIntroImage()
{
    // The list follows each rename, so the new intro image stands first at once.
    ImageSetModel& files = m_ui.lstComponents->files();
    const QStringList before = files.paths();
    QStringList after = before;
    const Outcome renamed = MakeIntroImage(after, m_ui.lstComponents->currentRow());
    for (qsizetype row = 0; row < before.size(); ++row)
        if (after.at(row) != before.at(row))
            files.renameImage(before.at(row), after.at(row));
    if (renamed.done())
        m_services.boxes.show(tr("Done.\n\nThis image will now be the first to be displayed "
                                 "for this image set."),
                              BoxLook::NoIcon);
    else
        m_services.boxes.show(renamed.text, BoxLook::Exclamation);
}

void frmVistrelle::fileCaptured(const QString& path)
{
    listCapture(path, true);
}

void frmVistrelle::listCapture(const QString& path, bool mayFollow)
{
    m_ui.lblCaptureStatus->clear();
    const QString folder = imageSetFolder();
    if (m_state.lowResourceMode || !imageSetShown() || !path.startsWith(folder) ||
        path.indexOf(QLatin1Char('/'), folder.size()) >= 0)
        return;
    FileList& list = *m_ui.lstComponents;
    const QStringList selected = list.selectedPaths();
    const bool following =
        mayFollow && (!m_chosenSinceShown || (selected.size() == 1 && selected.first() == m_newest));
    if (!list.insertCapture(path, m_state.settings.fileMax))
        return;
    m_newest = path;
    if (list.files().rowCount() == 1) {
        ShowViewerImage(path);
        return;
    }
    emit viewerStepsEnabled(true);
    // One looking at an older picture, or at several, keeps them: the list only grows.
    if (!following)
        return;
    list.selectOnly({list.files().rowOf(path)});
    ShowViewerImage(path);
}

void frmVistrelle::showFound(const FoundPicture& found)
{
    if (!SelectImageSet(found.imageSet, found.category))
        return;
    FileList& list = *m_ui.lstComponents;
    const int row = list.files().rowOf(found.path);
    if (row < 0)
        return;
    m_chosenSinceShown = true;
    list.selectOnly({row});
    ShowViewerImage(QString());
    // Where the words searched for stand on the picture.
    if (const QString words = m_find->words(); !words.trimmed().isEmpty())
        emit viewerOutlined(found.path, m_pictures.wordsOf(found.path).matching(words));
}

void frmVistrelle::showPicture(const QString& path)
{
    const QString relative = path.mid(m_state.libraryRoot.size());
    showFound({path, CategoryOf(relative), ImageSetOf(relative)});
}

void frmVistrelle::copySelectedFiles()
{
    const QStringList paths = m_ui.lstComponents->selectedPaths();
    if (paths.isEmpty()) {
        m_services.boxes.show(tr("Select file(s) to copy first."), BoxLook::Exclamation);
        return;
    }
    m_pictures.copy(paths);
}

void frmVistrelle::runFileCommand(const QStringList& paths, FileCommand command)
{
    // A command chosen over the thumbnails acts once they are closed, on the list's lines.
    if (auto* photos = findChild<frmPhotos*>(); photos && photos->isVisible())
        photos->reject();
    FileList& list = *m_ui.lstComponents;
    if (paths.size() == 1 && list.files().rowOf(paths.first()) < 0)
        showPicture(paths.first());
    QList<int> rows;
    for (const QString& path : paths)
        if (const int row = list.files().rowOf(path); row >= 0)
            rows.append(row);
    if (rows.isEmpty())
        return;
    m_chosenSinceShown = true;
    list.selectOnly(rows);
    ShowViewerImage(QString());
    switch (command) {
    case FileCommand::Rename:
        m_fileCommands->RenameCurrentFile();
        break;
    case FileCommand::Move:
        m_fileCommands->MoveSelectedFiles();
        break;
    case FileCommand::Delete:
        m_fileCommands->DeleteSelectedFiles();
        break;
    }
    m_find->refresh();
}

std::pair<int, QString> frmVistrelle::showThumbnails(const QAbstractItemModel& rows, int rowLimit,
                                                     const QString& caption)
{
    if (rows.rowCount() == 0) {
        m_services.boxes.show(tr("There are no images to show."), BoxLook::Information);
        return {-1, QString()};
    }
    frmPhotos photos(rows, rowLimit, this);
    connect(&photos, &frmPhotos::menuRequested, this,
            [this, &photos](const QString& path, const QPoint& where) {
                m_pictures.showMenu({path}, where, &photos);
            });
    connect(&photos, &frmPhotos::copyRequested, this,
            [this](const QString& path) { m_pictures.copy({path}); });
    connect(&photos, &frmPhotos::dragRequested, this,
            [this](const QString& path, QWidget* cell, const QImage& picture) {
                m_pictures.drag({path}, cell, picture);
            });
    photos.setWindowTitle(caption);
    if (!ShowModal(photos))
        return {-1, QString()};
    return {photos.pickedRow(), photos.pickedName()};
}

void frmVistrelle::cmdPhotosBySet_Click()
{
    // The thumbnails page through the list's own lines; without a chosen Image Set there are none.
    FileList& list = *m_ui.lstComponents;
    const int picked =
        showThumbnails(list.files(), m_state.settings.dirMax,
                       tr("Thumbnail Viewer - Image Set - %1").arg(m_ui.cboImageSetName->currentText()))
            .first;
    if (picked < 0)
        return;
    moveFileSelection(list.currentRow(), picked);
    list.setFocus();
}

void frmVistrelle::cmdPhotosByCategory_Click()
{
    QStandardItemModel sets;
    for (const ThumbnailRow& row : GatherCategoryThumbnails(m_state.settings, categoryFolder())) {
        auto* set = new QStandardItem(row.name);
        set->setData(row.images, ImageSetModel::ImagesRole);
        sets.appendRow(set);
    }
    const QString picked =
        showThumbnails(sets, sets.rowCount(),
                       tr("Thumbnail Viewer - Category - %1").arg(m_ui.cboImageSetCategory->currentText()))
            .second;
    // A name that reads as a file name picks no Image Set.
    if (picked.isEmpty() || !PickedFileName(picked).isEmpty() ||
        picked == m_ui.cboImageSetName->currentText())
        return;
    if (const int row = m_imageSets->rowOf(picked); row >= 0)
        selectImageSet(row);
}

void frmVistrelle::closeEvent(QCloseEvent* event)
{
    emit unloading();
    event->accept();
}
