#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

/// An Image Set chosen as the target of a move.
struct ImageSetChoice
{
    QString category;
    QString imageSet;
};

/// What the relocate dialog is opened with.
struct RelocationRequest
{
    QString caption;
    QStringList categories; // the main window's, in its order
    QString libraryRoot;
    QString currentCategory; // offered when no earlier target is remembered
};

/// The file options dialog's answer.
enum class FileOption { Cancel, Open, Rename };

/// The library's own modal dialogs, each returning its answer and opening over the window
/// \a over whose command asked; the real ones are shown by ModalLibraryDialogs, tests answer
/// from a script.
class LibraryDialogs
{
public:
    virtual ~LibraryDialogs() = default;

    /// The name entry dialog, saying what is being named (\a what) and offering \a proposed;
    /// empty when cancelled.
    virtual std::optional<QString> AskForName(QWidget* over, const QString& what,
                                              const QString& proposed) = 0;

    /// The relocate dialog; empty when cancelled. The target chosen last is offered first.
    virtual std::optional<ImageSetChoice> AskForRelocation(QWidget* over,
                                                           const RelocationRequest& request) = 0;

    virtual FileOption AskForFileOption(QWidget* over) = 0;
};
