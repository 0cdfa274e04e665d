#pragma once

#include <QList>
#include <QString>
#include <functional>

/// A program the desktop has registered for a type of file.
struct DesktopProgram
{
    QString id;   ///< how the desktop knows it ("org.gnome.eog.desktop")
    QString name; ///< as the desktop's menus name it
    QString icon; ///< an icon theme's name for it, or the path of its icon; empty for none
};

/// The desktop shell: opens files and folders in the programs the user chose for them.
class Shell
{
public:
    /// Called on the window thread when the desktop could not open what it was given.
    using Failed = std::function<void()>;

    virtual ~Shell() = default;
    /// Opens \a folder in the desktop's file manager without waiting. \a failed runs when that
    /// could not be done: at once when no opener can be started, later when the opener ends
    /// with a failure (no file manager for folders, say).
    virtual void explore(const QString& folder, Failed failed) = 0;
    /// Opens the file \a path in the program the desktop associates with its type, without
    /// waiting; \a failed runs, as for explore(), when the file is missing or nothing could
    /// open it. The caller decides whether that is worth a message.
    virtual void open(const QString& path, Failed failed) = 0;
    /// The programs the desktop has registered for the type of the file at \a path, the one it
    /// opens such files with first; none when it knows no program for it.
    virtual QList<DesktopProgram> programsFor(const QString& path) = 0;
    /// Opens the file \a path in the program \a id (one of programsFor()), without waiting;
    /// \a failed runs when the file is missing or the program could not be started.
    virtual void openWith(const QString& path, const QString& id, Failed failed) = 0;
    /// Shows the file \a path selected in its folder, in the desktop's file manager; where no
    /// file manager answers, opens the folder as explore() does. \a failed runs, as for
    /// explore(), when neither could be done.
    virtual void showInFolder(const QString& path, Failed failed) = 0;
};
