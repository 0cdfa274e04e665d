#include "frmVistrelle.h"

#include "ImageInfo.h"
#include "NoImagesPicture.h"
#include "capture/CaptureTick.h"
#include "core/AppState.h"
#include "core/VistrelleApp.h"
#include "library/DisplayOrder.h"
#include "library/FileOperations.h"
#include "library/LibraryDialogs.h"
#include "library/LibraryTree.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/Twips.h"
#include "ui/modes/frmHelp.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/Thumbnails.h"
#include "ui/viewers/frmImage.h"
#include "ui/viewers/frmPhotos.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption, const QString& tooltip)
{
    auto* button = named(new QPushButton(caption, parent), name);
    button->setToolTip(tooltip);
    return button;
}

QStringList sortedForDisplay(QStringList items)
{
    SortForDisplay(items);
    return items;
}

} // namespace

frmVistrelle::frmVistrelle(VistrelleApp& app)
    : QWidget(nullptr)
    , m_app(app)
    , m_state(app.state())
{
    setObjectName(QStringLiteral("frmVistrelle"));
    setWindowTitle(QStringLiteral("Vistrelle"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    setTabOrder();
    const QSize design(TwipsToPixels(designClientWidth), TwipsToPixels(designClientHeight));
    setFixedSize(design.expandedTo(minimumSizeHint()));
    move(TwipsToPixels(designLeft), TwipsToPixels(designTop));
}

void frmVistrelle::buildControls()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(0, 1);

    grid->addWidget(named(new QLabel(QStringLiteral("Category"), this), "lblPackageCategory"), 0, 0);
    m_cboImageSetCategory = named(new QComboBox(this), "cboImageSetCategory");
    grid->addWidget(m_cboImageSetCategory, 1, 0);
    grid->addWidget(
        commandButton(this, "cmdNewCategory", QStringLiteral("New"), QStringLiteral("New category")), 1, 1);
    grid->addWidget(
        commandButton(this, "cmdDeleteCategory", QStringLiteral("Del"), QStringLiteral("Delete category")), 1,
        2);
    grid->addWidget(commandButton(this, "cmdPhotosByCategory", QStringLiteral("View"),
                                  QStringLiteral("Thumbnail viewer for image sets in the current category")),
                    1, 3);

    grid->addWidget(named(new QLabel(QStringLiteral("Image Set"), this), "lblPackageName"), 2, 0);
    m_cboImageSetName = named(new QComboBox(this), "cboImageSetName");
    grid->addWidget(m_cboImageSetName, 3, 0);
    grid->addWidget(
        commandButton(this, "cmdNewImageSet", QStringLiteral("New"), QStringLiteral("New image set")), 3, 1);
    grid->addWidget(
        commandButton(this, "cmdDeleteImageSet", QStringLiteral("Del"), QStringLiteral("Delete image set")),
        3, 2);
    grid->addWidget(commandButton(this, "cmdPhotosBySet", QStringLiteral("View"),
                                  QStringLiteral("Thumbnail viewer for images in current image set")),
                    3, 3);

    grid->addWidget(named(new QLabel(QStringLiteral("Image Files"), this), "Label1"), 4, 0);
    m_lstComponents = named(new QListWidget(this), "lstComponents");
    m_lstComponents->setProperty("index", 0);
    m_lstComponents->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstComponents->setToolTip(QStringLiteral("Select file(s) & press Delete key to delete OR Spacebar to "
                                               "relocate.  Double click for more options."));
    grid->addWidget(m_lstComponents, 5, 0);

    auto* side = new QVBoxLayout;
    auto* frame1 = named(new QGroupBox(QStringLiteral("Capture Format"), this), "Frame1");
    auto* formats = new QHBoxLayout(frame1);
    m_optFormat[0] = named(new QRadioButton(QStringLiteral("&JPG"), frame1), "optFormat");
    m_optFormat[0]->setToolTip(QStringLiteral("Output screenshots in Jpeg format"));
    m_optFormat[1] = named(new QRadioButton(QStringLiteral("&BMP"), frame1), "optFormat");
    m_optFormat[1]->setToolTip(QStringLiteral("Output screenshots in Bitmap format"));
    for (int index = 0; index < 2; ++index) {
        m_optFormat[index]->setProperty("index", index);
        formats->addWidget(m_optFormat[index]);
        connect(m_optFormat[index], &QRadioButton::clicked, this, [this, index] { optFormat_Click(index); });
    }
    side->addWidget(frame1);

    auto* commands = new QGridLayout;
    commands->setSpacing(4);
    auto* cmdExplore = commandButton(this, "cmdExplore", QStringLiteral("&Explore"),
                                     QStringLiteral("Explore Vistrelles directory"));
    auto* cmdRefresh = commandButton(this, "cmdRefresh", QStringLiteral("&Refresh"),
                                     QStringLiteral("Refresh category, image set and image files"));
    auto* cmdOptions = commandButton(this, "cmdOptions", QStringLiteral("&Options"),
                                     QStringLiteral("Miscellaneous options for Vistrelle"));
    auto* cmdHelp = commandButton(this, "cmdHelp", QStringLiteral("&Help"), QString());
    commands->addWidget(
        commandButton(this, "cmdFirstImageSet", QStringLiteral("&Intro Set"),
                      QStringLiteral("Make the current image set the first shown when Vistrelle starts")),
        0, 0);
    commands->addWidget(commandButton(this, "cmdLowResourceMode", QStringLiteral("&Minimize"),
                                      QStringLiteral("Low resource (memory) mode of operation")),
                        0, 1);
    commands->addWidget(cmdExplore, 1, 0);
    commands->addWidget(cmdRefresh, 1, 1);
    commands->addWidget(cmdOptions, 2, 0);
    commands->addWidget(cmdHelp, 2, 1);
    side->addLayout(commands);
    side->addStretch();
    grid->addLayout(side, 4, 1, 2, 3);

    auto* frame2 = named(new QGroupBox(QStringLiteral("Image Info"), this), "Frame2");
    auto* info = new QHBoxLayout(frame2);
    info->setContentsMargins(6, 2, 6, 4);
    m_lblImageInfo = named(new QLabel(frame2), "lblImageInfo");
    m_lblImageInfo->setToolTip(QStringLiteral("Date modified & file size in kilobytes"));
    info->addWidget(m_lblImageInfo);
    grid->addWidget(frame2, 6, 0, 1, 4);

    m_tmrTimer = named(new QTimer(this), "tmrTimer");
    m_tmrTimer->setInterval(100);

    connect(m_cboImageSetCategory, &QComboBox::activated, this, &frmVistrelle::cboImageSetCategory_Click);
    connect(m_cboImageSetName, &QComboBox::activated, this, &frmVistrelle::cboImageSetName_Click);
    connect(m_lstComponents, &QListWidget::currentRowChanged, this, &frmVistrelle::lstComponents_Click);
    connect(cmdExplore, &QPushButton::clicked, this, &frmVistrelle::cmdExplore_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmVistrelle::cmdRefresh_Click);
    const auto button = [this](const char* name) { return findChild<QPushButton*>(QLatin1String(name)); };
    connect(button("cmdPhotosBySet"), &QPushButton::clicked, this, &frmVistrelle::cmdPhotosBySet_Click);
    connect(button("cmdPhotosByCategory"), &QPushButton::clicked, this,
            &frmVistrelle::cmdPhotosByCategory_Click);
    connect(button("cmdNewCategory"), &QPushButton::clicked, this, &frmVistrelle::cmdNewCategory_Click);
    connect(button("cmdNewImageSet"), &QPushButton::clicked, this, &frmVistrelle::cmdNewImageSet_Click);
    connect(button("cmdDeleteCategory"), &QPushButton::clicked, this, &frmVistrelle::cmdDeleteCategory_Click);
    connect(button("cmdDeleteImageSet"), &QPushButton::clicked, this, &frmVistrelle::cmdDeleteImageSet_Click);
    connect(button("cmdFirstImageSet"), &QPushButton::clicked, this, &frmVistrelle::cmdFirstImageSet_Click);
    connect(m_lstComponents, &QListWidget::itemDoubleClicked, this, &frmVistrelle::lstComponents_DblClick);
    m_lstComponents->installEventFilter(this);
    connect(cmdOptions, &QPushButton::clicked, this, &frmVistrelle::cmdOptions_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmVistrelle::cmdHelp_Click);
    connect(button("cmdLowResourceMode"), &QPushButton::clicked, this,
            &frmVistrelle::cmdLowResourceMode_Click);
    connect(m_tmrTimer, &QTimer::timeout, this, &frmVistrelle::tmrTimer_Timer);
}

void frmVistrelle::setTabOrder()
{
    QList<QWidget*> order{m_cboImageSetCategory, m_cboImageSetName, m_lstComponents};
    for (const char* name : {"cmdNewCategory", "cmdDeleteCategory", "cmdPhotosByCategory", "cmdNewImageSet",
                             "cmdDeleteImageSet", "cmdPhotosBySet"})
        order.append(findChild<QPushButton*>(QLatin1String(name)));
    order.append(m_optFormat[0]);
    order.append(m_optFormat[1]);
    for (const char* name :
         {"cmdFirstImageSet", "cmdLowResourceMode", "cmdExplore", "cmdRefresh", "cmdOptions", "cmdHelp"})
        order.append(findChild<QPushButton*>(QLatin1String(name)));
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmVistrelle::enableTimer()
{
    m_tmrTimer->start();
}

void frmVistrelle::tmrTimer_Timer()
{
    CaptureTick(
        m_state, m_app.services(),
        {[this] { return !m_cboImageSetName->currentText().isEmpty(); }, [this] { RefreshImageSets(); }});
}

QString frmVistrelle::imageSetFolder() const
{
    return m_state.libraryRoot + m_cboImageSetCategory->currentText() + QLatin1Char('/') +
           m_cboImageSetName->currentText() + QLatin1Char('/');
}

void frmVistrelle::selectCategory(int row)
{
    {
        const QSignalBlocker blocker(m_cboImageSetCategory);
        m_cboImageSetCategory->setCurrentIndex(row);
    }
    cboImageSetCategory_Click();
}

void frmVistrelle::selectImageSet(int row)
{
    {
        const QSignalBlocker blocker(m_cboImageSetName);
        m_cboImageSetName->setCurrentIndex(row);
    }
    cboImageSetName_Click();
}

void frmVistrelle::FillCategoryList()
{
    const QString remembered = m_cboImageSetCategory->currentText();
    {
        const QSignalBlocker blocker(m_cboImageSetCategory);
        m_cboImageSetCategory->clear();
        m_cboImageSetCategory->addItems(sortedForDisplay(ListSubfolders(m_state.libraryRoot)));
        m_cboImageSetCategory->setCurrentIndex(-1);
    }
    if (!remembered.isEmpty()) {
        const int row =
            m_cboImageSetCategory->findText(remembered, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (row >= 0)
            selectCategory(row);
    }
    if (m_cboImageSetCategory->count() > 0 && m_cboImageSetCategory->currentIndex() < 0)
        selectCategory(0);
}

void frmVistrelle::RefreshImageSets()
{
    cboImageSetCategory_Click();
}

void frmVistrelle::cboImageSetCategory_Click()
{
    const QString remembered = m_cboImageSetName->currentText();
    const QString category = m_cboImageSetCategory->currentText();
    {
        const QSignalBlocker blocker(m_cboImageSetName);
        m_cboImageSetName->clear();
        if (!category.isEmpty())
            m_cboImageSetName->addItems(
                sortedForDisplay(ListSubfolders(m_state.libraryRoot + category + QLatin1Char('/'))));
        m_cboImageSetName->setCurrentIndex(-1);
    }
    ResetFileTables();
    if (m_cboImageSetName->count() == 0) {
        m_lstComponents->clear();
        m_lblImageInfo->clear();
    }
    const int row = m_cboImageSetName->findText(remembered, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!remembered.isEmpty() && row >= 0)
        selectImageSet(row);
    else if (m_cboImageSetName->count() > 0)
        selectImageSet(0);
    m_state.currentCategory = category;
    m_state.currentImageSet = m_cboImageSetName->currentText();
    if (m_lstComponents->count() == 0 && !m_state.lowResourceMode)
        m_app.imageViewer().FitViewerToImage();
}

void frmVistrelle::cboImageSetName_Click()
{
    RefreshFileList(imageSetFolder());
    m_state.currentImageSet = m_cboImageSetName->currentText();
    if (m_lstComponents->count() == 0 && !m_state.lowResourceMode)
        m_app.imageViewer().FitViewerToImage();
}

bool frmVistrelle::SelectImageSet(const QString& setName, const QString& preferredCategory)
{
    int found = -1;
    for (int row = 0; row < m_cboImageSetCategory->count(); ++row) {
        const QString category = m_cboImageSetCategory->itemText(row);
        const QStringList entries =
            QDir(m_state.libraryRoot + category).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
        const bool holdsSet = std::any_of(entries.begin(), entries.end(), [&setName](const QString& entry) {
            return entry.compare(setName, Qt::CaseInsensitive) == 0;
        });
        if (!holdsSet)
            continue;
        found = row;
        if (category == preferredCategory)
            break;
    }
    if (found < 0)
        return false;
    if (m_cboImageSetCategory->currentIndex() != found)
        selectCategory(found);
    if (m_cboImageSetName->currentText() != setName) {
        int row = m_cboImageSetName->findText(setName, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (row < 0)
            row = m_cboImageSetName->findText(setName, Qt::MatchFixedString);
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
        m_app.imageViewer().showNoImages();
}

void frmVistrelle::RefreshFileList(const QString& folder)
{
    ResetFileTables();
    ResetFileWalk(m_state);
    CollectImages(m_state, folder);
    const int imagesFound = m_state.fileCount - 1;
    FillFileList(0);
    ResetFileWalk(m_state);
    EnumerateFiles(m_state, folder, QString(), FileMode::Every);
    m_state.imageSetFiles = m_state.fileList;
    if (m_state.lowResourceMode)
        return;

    m_state.currentFileIndex = 0;
    if (!m_state.fileListEntries.isEmpty()) {
        m_state.currentFileIndex = m_lstComponents->currentRow() + 1;
        ShowViewerImage(QString());
    }
    m_app.imageViewer().setStepCommandsEnabled(m_state.fileListEntries.size() >= 2);
    if (imagesFound > m_state.fileMax)
        tellAboutOverflow(folder, imagesFound);
}

void frmVistrelle::tellAboutOverflow(const QString& folder, int found)
{
    // Once per Image Set and run: the list is refreshed after every capture.
    if (m_overflowTold.contains(folder))
        return;
    m_overflowTold.insert(folder);
    m_app.services().boxes.show(
        QStringLiteral("This image set holds %1 images; only the first %2 are listed.  "
                       "Raise FILEMAX= in Vistrelle.ini to list them all.")
            .arg(found)
            .arg(m_state.fileMax),
        BoxLook::Information);
}

void frmVistrelle::FillFileList(int)
{
    if (m_state.lowResourceMode)
        return;
    const QSignalBlocker blocker(m_lstComponents);
    QString remembered;
    if (!m_lstComponents->selectedItems().isEmpty() && m_lstComponents->currentItem())
        remembered = m_lstComponents->currentItem()->text();

    m_lstComponents->clear();
    m_lblImageInfo->clear();
    const QStringList paths = sortedForDisplay(m_state.fileList);
    for (const QString& path : paths) {
        m_lstComponents->addItem(FileNameOf(path));
        m_state.fileListEntries.append(path);
    }

    if (!remembered.isEmpty()) {
        const QList<QListWidgetItem*> matches =
            m_lstComponents->findItems(remembered, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (!matches.isEmpty())
            m_lstComponents->setCurrentItem(matches.first());
    }
    const int lines = m_lstComponents->count();
    if (lines == 0) {
        m_state.restoreListIndex = 0;
        return;
    }
    if (m_state.restoreListIndex < 1) {
        if (m_lstComponents->selectedItems().isEmpty())
            m_lstComponents->setCurrentRow(0);
        return;
    }
    m_lstComponents->setCurrentRow(lines > m_state.restoreListIndex ? m_state.restoreListIndex : lines - 1);
    m_lstComponents->setFocus();
    m_state.restoreListIndex = 0;
}

void frmVistrelle::lstComponents_Click()
{
    const int row = m_lstComponents->currentRow();
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
    frmImage& viewer = m_app.imageViewer();
    viewer.showFile(file);
    m_lblImageInfo->setText(ImageInfoLine(file));
    viewer.FitViewerToImage();
}

void frmVistrelle::chooseFormat(const QString& extension)
{
    const int index = extension == QLatin1String(".bmp") ? 1 : 0;
    m_optFormat[index]->setChecked(true);
    optFormat_Click(index);
}

void frmVistrelle::optFormat_Click(int index)
{
    const bool bitmap = index == 1;
    m_state.captureExtension = bitmap ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
    setWindowTitle(bitmap ? QStringLiteral("Vistrelle (BMP)") : QStringLiteral("Vistrelle (JPG)"));
}

void frmVistrelle::cmdExplore_Click()
{
    if (!m_app.services().shell.explore(m_state.libraryRoot))
        m_app.services().boxes.show(
            QStringLiteral("Problem encountered trying to open Explorer.exe to Vistrelles directory."),
            BoxLook::Exclamation);
}

void frmVistrelle::cmdOptions_Click()
{
    frmOptions dialog(m_state, this);
    dialog.exec();
}

void frmVistrelle::cmdHelp_Click()
{
    frmHelp dialog(m_app.services().shell, m_state.programDir, this);
    dialog.exec();
}

void frmVistrelle::cmdLowResourceMode_Click()
{
    if (m_cboImageSetName->currentText().isEmpty()) {
        m_app.services().boxes.show(QStringLiteral("Please select an image set first."),
                                    BoxLook::Information);
        return;
    }
    m_app.enterLowResourceMode();
}

void frmVistrelle::cmdRefresh_Click()
{
    FillCategoryList();
    RefreshImageSets();
}

void frmVistrelle::moveFileSelection(int fromRow, int toRow)
{
    if (toRow < 0 || toRow >= m_lstComponents->count())
        return;
    {
        const QSignalBlocker blocker(m_lstComponents);
        if (QListWidgetItem* previous = m_lstComponents->item(fromRow))
            previous->setSelected(false);
        m_lstComponents->setCurrentRow(toRow, QItemSelectionModel::Select);
    }
    m_state.currentFileIndex = toRow + 1;
    ShowViewerImage(QString());
}

void frmVistrelle::cmdPhotosBySet_Click()
{
    m_state.thumbnailCount = 1;
    m_state.thumbnailEntries.clear();
    // Without a chosen Image Set the folder would be the whole Category.
    if (!m_cboImageSetName->currentText().isEmpty())
        GatherSetThumbnails(m_state, imageSetFolder());
    if (m_state.thumbnailEntries.isEmpty()) {
        m_app.services().boxes.show(QStringLiteral("There are no images to show."), BoxLook::Information);
        return;
    }
    m_state.thumbnailPick.clear();
    frmPhotos photos(m_state, LogoPicture(), this);
    photos.setWindowTitle(QStringLiteral("Thumbnail Viewer - Image Set - ") +
                          m_cboImageSetName->currentText());
    photos.exec();
    if (m_state.thumbnailPick.isEmpty())
        return;
    const QList<QListWidgetItem*> matches =
        m_lstComponents->findItems(m_state.thumbnailPick, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (matches.isEmpty())
        return;
    moveFileSelection(m_lstComponents->currentRow(), m_lstComponents->row(matches.first()));
    m_lstComponents->setFocus();
}

void frmVistrelle::cmdPhotosByCategory_Click()
{
    m_state.thumbnailCount = 1;
    m_state.thumbnailEntries.clear();
    GatherCategoryThumbnails(m_state,
                             m_state.libraryRoot + m_cboImageSetCategory->currentText() + QLatin1Char('/'));
    if (m_state.thumbnailEntries.isEmpty()) {
        m_app.services().boxes.show(QStringLiteral("There are no images to show."), BoxLook::Information);
        return;
    }
    m_state.thumbnailPick.clear();
    frmPhotos photos(m_state, LogoPicture(), this);
    photos.setWindowTitle(QStringLiteral("Thumbnail Viewer - Category - ") +
                          m_cboImageSetCategory->currentText());
    if (photos.exec() != QDialog::Accepted || !m_state.thumbnailPick.isEmpty() ||
        photos.pickedName() == m_cboImageSetName->currentText())
        return;
    const int row =
        m_cboImageSetName->findText(photos.pickedName(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row >= 0)
        selectImageSet(row);
}

void frmVistrelle::cmdNewCategory_Click()
{
    m_state.enteredName.clear();
    m_app.services().dialogs.AskForName(m_state);
    if (m_state.enteredName.isEmpty())
        return;
    if (!QDir().mkdir(m_state.libraryRoot + m_state.enteredName)) {
        m_app.services().boxes.show(QStringLiteral("Problem creating Category.  It probably already exists."),
                                    BoxLook::Exclamation);
        return;
    }
    FillCategoryList();
    RefreshImageSets();
}

void frmVistrelle::cmdNewImageSet_Click()
{
    MessageBoxes& boxes = m_app.services().boxes;
    const QString category = m_cboImageSetCategory->currentText();
    if (category.isEmpty()) {
        boxes.show(
            QStringLiteral("No categories exist.  Please create the category you'd like the image set to "
                           "belong in."),
            BoxLook::Information);
        return;
    }
    m_state.enteredName.clear();
    m_app.services().dialogs.AskForName(m_state);
    if (m_state.enteredName.isEmpty())
        return;
    if (!QDir().mkdir(m_state.libraryRoot + category + QLatin1Char('/') + m_state.enteredName)) {
        boxes.show(QStringLiteral("Problem creating Category.  It probably already exists."),
                   BoxLook::Exclamation);
        return;
    }
    RefreshImageSets();
}

void frmVistrelle::cmdDeleteCategory_Click()
{
    MessageBoxes& boxes = m_app.services().boxes;
    const QString category = m_cboImageSetCategory->currentText();
    if (category.isEmpty()) {
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
    if (!deleteLibraryFolder(m_state.libraryRoot + category + QLatin1Char('/')))
        return;
    FillCategoryList();
    RefreshImageSets();
    boxes.show(QStringLiteral("Done."), BoxLook::NoIcon);
}

void frmVistrelle::cmdDeleteImageSet_Click()
{
    MessageBoxes& boxes = m_app.services().boxes;
    if (m_cboImageSetName->currentText().isEmpty()) {
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
    MessageBoxes& boxes = m_app.services().boxes;
    if (!DeleteFolderTree(m_state, boxes, folder)) {
        m_app.EndProgram();
        return false;
    }
    RemoveDeletedFolder(boxes, folder);
    return true;
}

void frmVistrelle::cmdFirstImageSet_Click()
{
    MessageBoxes& boxes = m_app.services().boxes;
    const QString imageSet = m_cboImageSetName->currentText();
    if (imageSet.isEmpty()) {
        boxes.show(QStringLiteral("Please select an image set first."), BoxLook::Information);
        return;
    }
    m_state.introCategory = m_cboImageSetCategory->currentText();
    m_state.introImageSet = imageSet;
    boxes.show(QStringLiteral("Done.\n\n") + imageSet +
                   QStringLiteral(" will be the first image set you see when you start Vistrelle"),
               BoxLook::Information);
}

QStringList frmVistrelle::selectedPaths() const
{
    QStringList paths;
    for (int row = 0; row < m_lstComponents->count(); ++row) {
        if (m_lstComponents->item(row)->isSelected() && row < m_state.fileListEntries.size())
            paths.append(m_state.fileListEntries.at(row));
    }
    return paths;
}

bool frmVistrelle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_lstComponents || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Delete:
        lstComponents_KeyDown(46);
        return true;
    case Qt::Key_Space:
        // Ctrl+Space keeps its usual role of adding a line to the selection or taking it out.
        if (key->modifiers() & Qt::ControlModifier)
            return QWidget::eventFilter(watched, event);
        lstComponents_KeyDown(32);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        lstComponents_KeyPress(13);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmVistrelle::lstComponents_DblClick()
{
    ShowFileOptions();
}

void frmVistrelle::lstComponents_KeyPress(int keyAscii)
{
    if (keyAscii == 13)
        ShowFileOptions();
}

void frmVistrelle::lstComponents_KeyDown(int keyCode)
{
    MessageBoxes& boxes = m_app.services().boxes;
    // The paths are taken before asking: a capture while the question is open refills the list.
    const QStringList paths = selectedPaths();
    if (keyCode == 46) {
        if (paths.isEmpty()) {
            boxes.show(QStringLiteral("Select file(s) to delete first."), BoxLook::Exclamation);
            return;
        }
        if (boxes.show(
                QStringLiteral("Are you sure you want to delete the %1 files selected?").arg(paths.size()),
                BoxLook::NoIcon, BoxButtons::YesNo) != BoxAnswer::Yes)
            return;
        m_state.restoreListIndex = m_lstComponents->currentRow();
        for (const QString& path : paths)
            RemoveFile(boxes, path);
        RefreshImageSets();
    } else if (keyCode == 32) {
        if (paths.isEmpty()) {
            boxes.show(QStringLiteral("Select file(s) to relocate first."), BoxLook::Exclamation);
            return;
        }
        QStringList categories;
        for (int row = 0; row < m_cboImageSetCategory->count(); ++row)
            categories.append(m_cboImageSetCategory->itemText(row));
        m_app.services().dialogs.AskForRelocation(
            m_state, QStringLiteral("Where should these (%1) files be moved?").arg(paths.size()), categories);
        MoveSelectedFiles(paths);
    }
}

void frmVistrelle::MoveSelectedFiles(const QStringList& paths)
{
    if (m_state.relocateImageSet.isEmpty() || m_state.relocateCategory.isEmpty())
        return;
    m_state.restoreListIndex = m_lstComponents->currentRow();
    m_state.lastRelocateCategory = m_state.relocateCategory;
    m_state.lastRelocateImageSet = m_state.relocateImageSet;
    const QStringList notMoved =
        MoveFilesInto(paths, m_state.libraryRoot + m_state.relocateCategory + QLatin1Char('/') +
                                 m_state.relocateImageSet + QLatin1Char('/'));
    RefreshImageSets();
    MessageBoxes& boxes = m_app.services().boxes;
    if (!notMoved.isEmpty())
        boxes.show(QStringLiteral("These files were not moved and are still where they were:\n\n") +
                       notMoved.join(QLatin1Char('\n')),
                   BoxLook::Exclamation);
    boxes.show(QStringLiteral("Done."), BoxLook::NoIcon);
}

void frmVistrelle::ShowFileOptions()
{
    const int row = m_lstComponents->currentRow();
    if (row < 0 || row >= m_state.fileListEntries.size())
        return;
    const QString path = m_state.fileListEntries.at(row);
    const QString lineText = m_lstComponents->item(row)->text();
    Services& services = m_app.services();
    m_state.fileOptionsChoice = 0;
    services.dialogs.AskForFileOption(m_state);
    if (m_state.fileOptionsChoice == 1) {
        if (!services.shell.open(path))
            services.boxes.show(
                QStringLiteral("I don't know what action to take with the selected file type.  "
                               "Try associating it with a program in Windows Explorer."),
                BoxLook::Exclamation);
    } else if (m_state.fileOptionsChoice == 2) {
        m_state.enteredName = lineText;
        services.dialogs.AskForName(m_state);
        if (m_state.enteredName.isEmpty() || m_state.enteredName == lineText)
            return;
        // The file is renamed where it lies, also in a sub-folder of the Image Set.
        const QString folder = path.left(path.size() - FileNameOf(path).size());
        if (RenameWithoutReplacing(path, folder + m_state.enteredName) != RenameResult::Renamed) {
            services.boxes.show(
                QStringLiteral("Problem renaming file.  The file name probably already exists."),
                BoxLook::Exclamation);
            return;
        }
        m_state.restoreListIndex = row;
        RefreshImageSets();
    }
}

void frmVistrelle::closeEvent(QCloseEvent* event)
{
    // The window is deleted only on the way back to the event loop; no tick may run meanwhile.
    m_tmrTimer->stop();
    m_app.mainWindowUnloading();
    event->accept();
}
