#include "frmVistrelle.h"

#include "FileList.h"
#include "ImageInfo.h"
#include "ImageSetCommands.h"
#include "MainWindowControls.h"
#include "NoImagesPicture.h"
#include "capture/CaptureEngine.h"
#include "capture/CapturePause.h"
#include "capture/CaptureTick.h"
#include "core/AppState.h"
#include "library/DisplayOrder.h"
#include "library/LibraryCommands.h"
#include "library/LibraryTree.h"
#include "library/Thumbnails.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/CaptureCaption.h"
#include "ui/Twips.h"
#include "ui/dialogs/LibraryDialogs.h"
#include "ui/modes/frmHelp.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/frmPhotos.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <utility>

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

// The capture extension of each format option, in the options' order.
const char* const formatExtensions[] = {".jpg", ".bmp", ".png"};

} // namespace

frmVistrelle::frmVistrelle(AppState& state, Services& services, LibraryDialogs& dialogs,
                           CaptureEngine& engine)
    : QWidget(nullptr)
    , m_state(state)
    , m_services(services)
    , m_dialogs(dialogs)
    , m_engine(engine)
    , m_ui(this, new FileList(this, state, services, dialogs))
    , m_setCommands(new ImageSetCommands(m_ui, state, services, dialogs, this))
{
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
    connect(m_ui.lstComponents, &QListWidget::currentRowChanged, this, &frmVistrelle::lstComponents_Click);
    connect(m_ui.lstComponents, &FileList::refreshRequested, this, &frmVistrelle::RefreshImageSetsAt);
    m_ui.lstComponents->setCategories(m_ui.cboImageSetCategory);
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
    connect(m_setCommands, &ImageSetCommands::endProgramRequested, this, &frmVistrelle::endProgramRequested);
    connect(m_setCommands, &ImageSetCommands::settingsChanged, this, &frmVistrelle::settingsChanged);
    connect(m_ui.tmrTimer, &QTimer::timeout, this, &frmVistrelle::tmrTimer_Timer);
    connect(&m_engine, &CaptureEngine::filed, this, &frmVistrelle::fileCaptured);
    connect(&m_engine, &CaptureEngine::noted, this, &frmVistrelle::showCaptureNote);
    connect(&m_engine, &CaptureEngine::recovered, this, [this](const QString& path) {
        // The set may have been listed with it already, once it had its name.
        if (!m_state.imageSetFiles.contains(path))
            fileCaptured(path);
    });
}

void frmVistrelle::enableTimer()
{
    m_ui.tmrTimer->start();
}

void frmVistrelle::tmrTimer_Timer()
{
    CaptureTick(m_state, m_services, m_engine);
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
    // Captures go to the set shown from now on, also while a message of the refill is open.
    m_state.currentCategory = m_ui.cboImageSetCategory->currentText();
    m_state.currentImageSet = m_ui.cboImageSetName->currentText();
    RefreshFileList(imageSetFolder());
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
    ListImageSet(m_state, folder);
    const int imagesFound = m_state.fileCount - 1;
    FillFileList(folder);
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

void frmVistrelle::FillFileList(const QString& folder)
{
    if (m_state.lowResourceMode)
        return;
    m_ui.lblImageInfo->clear();
    m_ui.lstComponents->fill(folder, std::exchange(m_restoreListIndex, 0));
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
}

void frmVistrelle::showCaption()
{
    setWindowTitle(CaptureCaption(m_state));
}

void frmVistrelle::cmdExplore_Click()
{
    if (!m_services.shell.explore(m_state.libraryRoot))
        m_services.boxes.show(
            QStringLiteral("Problem encountered trying to open the file manager to Vistrelles directory.\n") +
                m_state.libraryRoot,
            BoxLook::Exclamation);
}

void frmVistrelle::cmdOptions_Click()
{
    frmOptions dialog(m_state.settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_state.settings = dialog.chosen();
    emit settingsChanged();
}

void frmVistrelle::cmdHelp_Click()
{
    frmHelp dialog(m_services.shell, m_services.boxes, m_state.programDir, this);
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
    // A picture that could not be filed is tried again, now that the user says things changed.
    m_engine.retry();
}

void frmVistrelle::moveFileSelection(int fromRow, int toRow)
{
    if (toRow < 0 || toRow >= m_ui.lstComponents->count())
        return;
    m_ui.lstComponents->moveSelection(fromRow, toRow);
    m_state.currentFileIndex = toRow + 1;
    ShowViewerImage(QString());
}

void frmVistrelle::showCaptureNote(const QString& note)
{
    m_ui.lblCaptureStatus->setText(note);
}

void frmVistrelle::fileCaptured(const QString& path)
{
    m_ui.lblCaptureStatus->clear();
    const QString folder = imageSetFolder();
    if (m_state.lowResourceMode || !imageSetShown() || !path.startsWith(folder) ||
        path.indexOf(QLatin1Char('/'), folder.size()) >= 0)
        return;
    m_state.imageSetFiles.append(path);
    if (m_ui.lstComponents->insertCapture(path) && m_state.fileListEntries.size() > 1)
        emit viewerStepsEnabled(true);
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

void frmVistrelle::closeEvent(QCloseEvent* event)
{
    // The window is deleted only on the way back to the event loop; no tick may run meanwhile.
    m_ui.tmrTimer->stop();
    emit unloading();
    event->accept();
}
