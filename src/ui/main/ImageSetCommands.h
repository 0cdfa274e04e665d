#pragma once

#include <QObject>

class LibraryDialogs;
class MainWindowControls;
struct AppState;
struct Outcome;
struct Services;

/// The main window's commands on Categories and Image Sets (New, Del, Intro Set): the name
/// asked for, the questions before a delete, and what the user is told. The window lists the
/// library again when told to.
class ImageSetCommands final : public QObject
{
    Q_OBJECT

public:
    ImageSetCommands(const MainWindowControls& controls, AppState& state, Services& services,
                     LibraryDialogs& dialogs, QObject* parent);

    void cmdNewCategory_Click();
    void cmdNewImageSet_Click();
    void cmdDeleteCategory_Click();
    void cmdDeleteImageSet_Click();
    void cmdFirstImageSet_Click();

signals:
    /// Categories came or went: both lists are filled again.
    void categoriesChanged();
    /// Image Sets of the shown Category came or went.
    void imageSetsChanged();
    /// The user made the Category \a name: it is to be shown, so the next set goes there.
    void categoryCreated(const QString& name);
    /// The user made the Image Set \a name in the shown Category: it is to be shown, so the
    /// next picture goes there.
    void imageSetCreated(const QString& name);
    /// A critical error: the program must stop in order.
    void endProgramRequested();
    /// The Intro Set changed: it is to be saved now, and the user told once it is.
    void introSetChosen();

private:
    QString category() const;
    QString imageSet() const;
    QString categoryFolder() const;
    /// Deletes \a folder, emitting \a changed when anything may have gone; true when all of
    /// it went.
    bool deleteLibraryFolder(const QString& folder, void (ImageSetCommands::*changed)());
    bool tellIfNotDone(const Outcome& outcome);

    const MainWindowControls& m_controls;
    AppState& m_state;
    Services& m_services;
    LibraryDialogs& m_dialogs;
};
