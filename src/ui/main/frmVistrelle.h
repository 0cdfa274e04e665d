#pragma once

#include "MainWindowControls.h"
#include "ui/PictureActions.h"

#include <QSet>
#include <QWidget>
#include <utility>

class CaptureEngine;
class FileCommands;
class FindPanel;
class FolderNamesModel;
class ImageSetCommands;
class LiveFolders;
class LibraryDialogs;
class PictureActions;
class QAbstractItemModel;
class ReaderWorker;
struct AppState;
struct FoundPicture;
struct Services;

/// The main window: the Category and Image Set choices, the Image Set's files, the capture
/// format and the commands. It tells the image viewer what to show through its signals.
class frmVistrelle final : public QWidget
{
    Q_OBJECT

public:
    frmVistrelle(AppState& state, Services& services, LibraryDialogs& dialogs, CaptureEngine& engine,
                 ReaderWorker& reading, PictureActions& pictures);

    void FillCategoryList();
    void RefreshImageSets();
    /// RefreshImageSets, then selects line \a row (from 0) of the new list, or its last line.
    void RefreshImageSetsAt(int row);
    bool SelectImageSet(const QString& setName, const QString& preferredCategory);
    void RefreshFileList(const QString& folder);
    void ShowViewerImage(const QString& path);
    void ResetFileTables();

    /// Chooses the format option for \a extension (".bmp" is BMP, ".png" PNG, anything else JPG).
    void chooseFormat(const QString& extension);

    /// Moves the file list's selection from row \a fromRow to row \a toRow (other selected
    /// rows stay selected) and makes that file the current one, shown in the viewer.
    void moveFileSelection(int fromRow, int toRow);
    /// Makes the file \a step lines after the current one current (before it when negative),
    /// wrapping at both ends of the list.
    void stepFile(int step);
    /// Makes the current file the intro image of its Image Set, and says how that went.
    void makeIntroImage();

    /// Lists the screenshot just filed at \a path when it went into the Image Set shown: one
    /// line put in its place, without listing the set again; the viewer keeps its picture
    /// unless the list was empty.
    void fileCaptured(const QString& path);
    /// Shows the Category and Image Set of a picture Find found, with the picture selected and
    /// in the viewer.
    void showFound(const FoundPicture& found);
    /// Shows the picture at \a path of the library as showFound() does.
    void showPicture(const QString& path);
    /// Puts the selected files on the clipboard, for other programs to paste.
    void copySelectedFiles();
    /// Runs Rename, Move or Delete on the files at \a paths, chosen in a context menu: their
    /// lines are selected alone first (a picture of another Image Set is shown first).
    void runFileCommand(const QStringList& paths, FileCommand command);

    /// Shows \a note on the status line, until the next capture is filed.
    void showCaptureNote(const QString& note);

    void cboImageSetCategory_Click();
    void cboImageSetName_Click();
    void lstComponents_Click(int row);
    void optFormat_Click(int index);
    void chkPauseCapturing_Click();
    void cmdExplore_Click();
    void cmdRefresh_Click();
    void cmdPhotosBySet_Click();
    void cmdPhotosByCategory_Click();

    void cmdOptions_Click();
    void cmdHelp_Click();
    void cmdLowResourceMode_Click();

signals:
    /// The viewer is to show the file at \a path, fitted to it.
    void viewerShows(const QString& path);
    /// The viewer is to show the no-images picture.
    void viewerEmptied();
    /// The viewer, showing the picture at \a path, is to outline \a boxes (in its pixels) on it.
    void viewerOutlined(const QString& path, const QList<QRect>& boxes);
    void viewerStepsEnabled(bool enabled);
    void viewerRefitRequested();
    void lowResourceModeRequested();
    /// A critical error: the program must stop in order.
    void endProgramRequested();
    /// The window is closing.
    void unloading();
    /// The user changed a setting (format, options): it is to be saved now.
    void settingsChanged();
    /// The user asked to forget every word read: the index is to be emptied now, reading stopped.
    void wordsForgotten();
    /// The user chose the Intro Set: it is to be saved now, and the user told once it is.
    void introSetChosen();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void showCaption();
    void FillFileList(const QString& folder, QStringList images);
    /// Lists the new picture at \a path; with \a mayFollow, one following the newest pictures
    /// gets it selected and shown.
    void listCapture(const QString& path, bool mayFollow);
    void selectCategory(int row);
    void selectImageSet(int row);
    void showCreatedCategory(const QString& name);
    void showCreatedImageSet(const QString& name);
    void tellAboutOverflow(const QString& folder, qsizetype found);
    /// Follows the folders shown, for what other programs do in them.
    void followShown();
    /// The Category list, the Image Set list and the file list follow what another program did.
    void followCategories();
    void followImageSets();
    void followPictures(const QStringList& added, const QStringList& removed);
    /// Tells, once, that the Image Set shown went; the lists show what is left.
    void tellImageSetGone(const QString& category, const QString& imageSet);
    QString categoryFolder() const;
    QString imageSetFolder() const;
    bool imageSetShown() const;
    /// Shows the thumbnail viewer on the first \a rowLimit of \a rows; the row picked and its
    /// name, or -1 and nothing.
    std::pair<int, QString> showThumbnails(const QAbstractItemModel& rows, int rowLimit,
                                           const QString& caption);

    AppState& m_state;
    Services& m_services;
    LibraryDialogs& m_dialogs;
    CaptureEngine& m_engine;
    PictureActions& m_pictures;
    MainWindowControls m_ui;
    ImageSetCommands* m_setCommands;
    FindPanel* m_find;
    FileCommands* m_fileCommands;
    ReaderWorker& m_reading;
    LiveFolders* m_live;
    FolderNamesModel* m_categories;
    FolderNamesModel* m_imageSets;
    QStringList m_subfolders; // those of the Image Set listed
    QSet<QString> m_overflowTold;
    int m_restoreListIndex = 0; // line to select after the next refill, from 0; 0 keeps the selection
    // Whether a capture becomes the selected line: while the user follows the newest pictures,
    // that is, has chosen no line since the Image Set was shown, or has the newest one alone.
    QString m_shownFolder;
    bool m_chosenSinceShown = false;
    QString m_newest; // the set's newest picture as far as the window knows
};
