#pragma once

#include <QSet>
#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;
class VistrelleApp;
struct AppState;

/// The main window: the Category and Image Set choices, the Image Set's files, the capture
/// format and the commands.
class frmVistrelle final : public QWidget
{
    Q_OBJECT

public:
    explicit frmVistrelle(VistrelleApp& app);

    void FillCategoryList();
    void RefreshImageSets();
    bool SelectImageSet(const QString& setName, const QString& preferredCategory);
    void RefreshFileList(const QString& folder);
    void ShowViewerImage(const QString& path);
    void ResetFileTables();

    /// Chooses the format option for \a extension (".bmp" is BMP, anything else JPG).
    void chooseFormat(const QString& extension);
    void enableTimer();

    /// Moves the file list's selection from row \a fromRow to row \a toRow (other selected
    /// rows stay selected) and makes that file the current one, shown in the viewer.
    void moveFileSelection(int fromRow, int toRow);

    void cboImageSetCategory_Click();
    void cboImageSetName_Click();
    void lstComponents_Click();
    void optFormat_Click(int index);
    void cmdExplore_Click();
    void cmdRefresh_Click();
    void cmdPhotosBySet_Click();
    void cmdPhotosByCategory_Click();

    void cmdNewCategory_Click();
    void cmdNewImageSet_Click();
    void cmdDeleteCategory_Click();
    void cmdDeleteImageSet_Click();
    void cmdFirstImageSet_Click();
    void lstComponents_DblClick();
    void lstComponents_KeyPress(int keyAscii);
    void lstComponents_KeyDown(int keyCode);
    void MoveSelectedFiles(const QStringList& paths);
    void ShowFileOptions();
    void cmdOptions_Click();
    void cmdHelp_Click();
    void cmdLowResourceMode_Click();
    void tmrTimer_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setTabOrder();
    void FillFileList(int index);
    void selectCategory(int row);
    void selectImageSet(int row);
    void tellAboutOverflow(const QString& folder, int found);
    QString imageSetFolder() const;
    bool deleteLibraryFolder(const QString& folder);
    QStringList selectedPaths() const;

    VistrelleApp& m_app;
    AppState& m_state;
    QComboBox* m_cboImageSetCategory = nullptr;
    QComboBox* m_cboImageSetName = nullptr;
    QListWidget* m_lstComponents = nullptr;
    QRadioButton* m_optFormat[2] = {};
    QLabel* m_lblImageInfo = nullptr;
    QTimer* m_tmrTimer = nullptr;
    QSet<QString> m_overflowTold;
};
