#include "FindPanel.h"

#include "core/AppState.h"
#include "library/FoundPicturesModel.h"
#include "library/ReaderWorker.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QShortcut>
#include <QSignalBlocker>

namespace {

// The most pictures listed: a list longer than this is no help, and each costs a look at its file.
constexpr int mostFound = 1000;
constexpr int typingPauseMs = 200;
// Changes made by other programs are looked for when the last walk is this old.
constexpr qint64 walkAgainAfterMs = 30000;
constexpr qint64 walkToMendAfterMs = 1000;

enum Scope { Library, Category, ImageSet };

} // namespace

FindPanel::FindPanel(QWidget* window, AppState& state, ReaderWorker& reading)
    : QObject(window)
    , m_state(state)
    , m_reading(reading)
    , m_found(new FoundPicturesModel(this))
{
    txtFind = new QLineEdit(window);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(tr("Find words in screenshots (Ctrl+F)"));
    txtFind->setToolTip(tr("Words in the screenshots, or in the title or program of the window "
                           "they were taken from; each word may be the start of one"));
    txtFind->setClearButtonEnabled(true);
    txtFind->setAccessibleName(tr("Find words"));
    cboFindScope = new QComboBox(window);
    cboFindScope->setObjectName(QStringLiteral("cboFindScope"));
    cboFindScope->addItems({tr("Library"), tr("Category"), tr("Image Set")});
    cboFindScope->setToolTip(tr("Where to look for the words"));
    lblFindScope = new QLabel(tr("Loo&k in"), window);
    lblFindScope->setObjectName(QStringLiteral("lblFindScope"));
    lblFindScope->setBuddy(cboFindScope);
    lstFound = new QListView(window);
    lstFound->setObjectName(QStringLiteral("lstFound"));
    lstFound->setModel(m_found);
    lstFound->setDragEnabled(true);
    lstFound->setDragDropMode(QAbstractItemView::DragOnly);
    lstFound->setDefaultDropAction(Qt::CopyAction);
    lstFound->setContextMenuPolicy(Qt::CustomContextMenu);
    lstFound->setToolTip(tr("Screenshots holding the words, newest first; Esc goes back"));
    lstFound->setAccessibleName(tr("Screenshots found"));
    lstFound->hide();
    lblReading = new QLabel(window);
    lblReading->setObjectName(QStringLiteral("lblReading"));

    m_typing.setSingleShot(true);
    m_typing.setInterval(typingPauseMs);
    connect(&m_typing, &QTimer::timeout, this, &FindPanel::search);
    connect(txtFind, &QLineEdit::textChanged, this, [this] { m_typing.start(); });
    connect(txtFind, &QLineEdit::returnPressed, this, [this] {
        search();
        if (m_found->rowCount() > 0) {
            lstFound->setFocus();
            lstFound->setCurrentIndex(m_found->index(0));
        }
    });
    connect(cboFindScope, &QComboBox::activated, this, &FindPanel::search);
    connect(lstFound->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    emit chosen(m_found->found().at(current.row()));
            });
    connect(lstFound, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex line = lstFound->indexAt(at);
        if (!line.isValid())
            return;
        lstFound->setCurrentIndex(line);
        emit menuRequested(line.data(FoundPicturesModel::PathRole).toString(),
                           lstFound->viewport()->mapToGlobal(at));
    });
    connect(&m_reading, &ReaderWorker::progressed, this, &FindPanel::showProgress);
    // What the reader adds may change the answer.
    connect(&m_reading, &ReaderWorker::changed, this, [this] {
        if (!txtFind->text().trimmed().isEmpty() && !m_typing.isActive())
            m_typing.start();
    });
    auto* find = new QShortcut(QKeySequence::Find, window);
    connect(find, &QShortcut::activated, this, [this] {
        txtFind->setFocus(Qt::ShortcutFocusReason);
        txtFind->selectAll();
    });
    txtFind->installEventFilter(this);
    lstFound->installEventFilter(this);
    m_sinceWalk.start();
    showProgress();
}

void FindPanel::placeIn(QGridLayout* grid, QWidget* fileList, QLabel* listLabel)
{
    m_fileList = fileList;
    m_listLabel = listLabel;
    int row = 0;
    int column = 0;
    int rows = 0;
    int columns = 0;
    grid->getItemPosition(grid->indexOf(fileList), &row, &column, &rows, &columns);
    grid->addWidget(lstFound, row, column, rows, columns);
    QWidget::setTabOrder(fileList, lstFound);
    const int below = grid->rowCount();
    grid->addWidget(txtFind, below, 0);
    auto* scope = new QHBoxLayout;
    scope->addWidget(lblFindScope);
    scope->addWidget(cboFindScope, 1);
    grid->addLayout(scope, below, 1, 1, grid->columnCount() - 1);
    grid->addWidget(lblReading, below + 1, 0, 1, grid->columnCount());
}

bool FindPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    const int key = press->key();
    if (watched == lstFound && press->matches(QKeySequence::Copy)) {
        if (const QModelIndex current = lstFound->currentIndex(); current.isValid())
            emit copyRequested(current.data(FoundPicturesModel::PathRole).toString());
        return true;
    }
    if (key == Qt::Key_Escape) {
        clear();
        return true;
    }
    if (watched == txtFind && key == Qt::Key_Down && m_found->rowCount() > 0) {
        lstFound->setFocus();
        if (!lstFound->currentIndex().isValid())
            lstFound->setCurrentIndex(m_found->index(0));
        return true;
    }
    return false;
}

QString FindPanel::scopeFolder() const
{
    switch (cboFindScope->currentIndex()) {
    case Category:
        return m_state.currentCategory.isEmpty() ? QString() : m_state.currentCategory + QLatin1Char('/');
    case ImageSet:
        return m_state.currentImageSet.isEmpty()
                   ? QString()
                   : m_state.currentCategory + QLatin1Char('/') + m_state.currentImageSet + QLatin1Char('/');
    default:
        return {};
    }
}

void FindPanel::search()
{
    m_typing.stop();
    const QString words = txtFind->text();
    if (words.trimmed().isEmpty()) {
        clear();
        return;
    }
    if (m_sinceWalk.elapsed() > walkAgainAfterMs)
        walkLibrary();
    const QString current = lstFound->currentIndex().data(FoundPicturesModel::PathRole).toString();
    QList<FoundPicture> found;
    m_indexOpened =
        IndexSearch(m_reading.root(), m_reading.file()).find(words, found, scopeFolder(), mostFound).done();
    m_found->setFound(found);
    // An index deleted or damaged is made anew by a walk, and the answer comes when it has
    // been; not more than once a second, should the walk not mend it.
    if (!m_indexOpened && m_sinceWalk.elapsed() > walkToMendAfterMs)
        walkLibrary();
    if (const int row = m_found->rowOf(current); row >= 0) {
        // The picture chosen stays current in the new answer, which is no new choice.
        const QSignalBlocker blocker(this);
        lstFound->setCurrentIndex(m_found->index(row));
    }
    showFound(true);
    showProgress();
}

void FindPanel::refresh()
{
    if (!lstFound->isHidden())
        search();
}

QString FindPanel::words() const
{
    return lstFound->isHidden() ? QString() : txtFind->text();
}

void FindPanel::walkLibrary()
{
    m_reading.sync();
    m_sinceWalk.restart();
}

void FindPanel::clear()
{
    m_typing.stop();
    {
        const QSignalBlocker blocker(txtFind);
        txtFind->clear();
    }
    m_found->setFound({});
    showFound(false);
    if (m_fileList)
        m_fileList->setFocus(Qt::OtherFocusReason);
    showProgress();
}

void FindPanel::showFound(bool shown)
{
    lstFound->setVisible(shown);
    if (!m_fileList)
        return;
    m_fileList->setVisible(!shown);
    // The label over the lists names the one shown, and its key moves the focus there.
    m_listLabel->setBuddy(shown ? static_cast<QWidget*>(lstFound) : m_fileList);
}

void FindPanel::showProgress()
{
    const IndexProgress progress = m_reading.progress();
    const QLocale locale;
    QStringList parts;
    // An index that cannot be opened has not said that nothing holds the words.
    if (!lstFound->isHidden())
        parts << (!m_indexOpened             ? tr("The index cannot be opened")
                  : m_found->rowCount() == 0 ? tr("Nothing found")
                                             : tr("%1 found").arg(locale.toString(m_found->rowCount())));
    if (progress.read < progress.total)
        parts << tr("Reading text: %1 of %2")
                         .arg(locale.toString(progress.read), locale.toString(progress.total)) +
                     (m_state.capturePaused || m_state.lowResourceMode || !m_state.settings.readWords
                          ? tr(" (paused)")
                          : QString());
    lblReading->setText(parts.join(QStringLiteral("   ")));
}
