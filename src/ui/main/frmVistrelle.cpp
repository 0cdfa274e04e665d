#include "frmVistrelle.h"

#include "ImageInfo.h"
#include "capture/CaptureTick.h"
#include "core/AppState.h"
#include "core/VistrelleApp.h"
#include "library/DisplayOrder.h"
#include "library/LibraryTree.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/Twips.h"
#include "ui/viewers/frmImage.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
    commands->addWidget(
        commandButton(this, "cmdFirstImageSet", QStringLiteral("&Intro Set"),
                      QStringLiteral("Make the current image set the first shown when Vistrelle starts")),
        0, 0);
    commands->addWidget(commandButton(this, "cmdLowResourceMode", QStringLiteral("&Minimize"),
                                      QStringLiteral("Low resource (memory) mode of operation")),
                        0, 1);
    commands->addWidget(cmdExplore, 1, 0);
    commands->addWidget(cmdRefresh, 1, 1);
    commands->addWidget(commandButton(this, "cmdOptions", QStringLiteral("&Options"),
                                      QStringLiteral("Miscellaneous options for Vistrelle")),
                        2, 0);
    commands->addWidget(commandButton(this, "cmdHelp", QStringLiteral("&Help"), QString()), 2, 1);
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

    // The library commands, the viewers and the modes open windows of their own; until those
    // windows are part of the program their buttons stay unavailable.
    for (const char* name :
         {"cmdNewCategory", "cmdDeleteCategory", "cmdPhotosByCategory", "cmdNewImageSet", "cmdDeleteImageSet",
          "cmdPhotosBySet", "cmdFirstImageSet", "cmdLowResourceMode", "cmdOptions", "cmdHelp"})
        findChild<QPushButton*>(QLatin1String(name))->setEnabled(false);

    connect(m_cboImageSetCategory, &QComboBox::activated, this, &frmVistrelle::cboImageSetCategory_Click);
    connect(m_cboImageSetName, &QComboBox::activated, this, &frmVistrelle::cboImageSetName_Click);
    connect(m_lstComponents, &QListWidget::currentRowChanged, this, &frmVistrelle::lstComponents_Click);
    connect(cmdExplore, &QPushButton::clicked, this, &frmVistrelle::cmdExplore_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmVistrelle::cmdRefresh_Click);
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

void frmVistrelle::cmdRefresh_Click()
{
    FillCategoryList();
    RefreshImageSets();
}

void frmVistrelle::closeEvent(QCloseEvent* event)
{
    m_app.mainWindowUnloading();
    event->accept();
}
