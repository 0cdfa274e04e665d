#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

class FolderWatcher;
class ImageSetModel;

/// Keeps the main window in step with what other programs do in the library shown: it follows
/// the library's folder (its Categories), the Category shown (its Image Sets) and the Image Set
/// listed with its sub-folders, looks at the entries its notices name once a burst of them is
/// over (or lists the folder again when they name none), and tells what changed against the
/// lines listed. A new picture is told once written whole:
/// hidden files (temporaries) never, one still being written once it stands still.
class LiveFolders final : public QObject
{
    Q_OBJECT

public:
    /// Follows through \a watcher; the lines listed are those of \a files.
    LiveFolders(FolderWatcher& watcher, const ImageSetModel& files, QObject* parent);

    /// Follows the library at \a root, its Category folder \a category (empty: none) and the Image
    /// Set the lines come from, with its \a subfolders (each ending in "/"); new pictures are told
    /// while fewer than \a capacity lines are listed.
    void follow(const QString& root, const QString& category, const QStringList& subfolders,
                qsizetype capacity);
    /// Follows nothing.
    void stop();

signals:
    /// A Category came, went or was renamed.
    void categoriesChanged();
    /// An Image Set of the Category shown came, went or was renamed.
    void imageSetsChanged();
    /// The pictures \a paths of the Image Set listed were named by a change notice, whole or
    /// still being written: another program is saving them.
    void picturesNoticed(const QStringList& paths);
    /// Pictures of the Image Set listed came, written whole (\a added), or went (\a removed, each
    /// of them listed).
    void picturesChanged(const QStringList& added, const QStringList& removed);

private:
    struct Arrival
    {
        qint64 size = -1;
        QDateTime modified;
    };

    void noticed(const QString& folder);
    void named(const QString& folder, const QStringList& names);
    void listAgain();
    /// Lists \a folder of the Image Set again: what went is added to \a removed, what came to
    /// the arrivals.
    void compare(const QString& folder, QStringList& removed, QStringList& arrived);
    /// Looks at the entries \a names of \a folder of the Image Set alone, as compare() does.
    void compareNamed(const QString& folder, const QSet<QString>& names, QStringList& removed,
                      QStringList& arrived);
    /// Follows the new sub-folder \a subfolder: its pictures are added to the arrivals.
    void addSubfolder(const QString& subfolder, QStringList& arrived);
    /// The arrivals written whole by now; those still being written wait for the next look.
    QStringList settled(const QStringList& arrived);
    void lookAgain();
    void watchAll();
    bool inImageSet(const QString& folder) const;

    FolderWatcher& m_watcher;
    const ImageSetModel& m_files;
    QString m_root;
    QString m_category;
    QString m_imageSet;
    QSet<QString> m_subfolders;
    qsizetype m_capacity = 0;
    QSet<QString> m_changed;               // folders to list whole since the last listing
    QHash<QString, QSet<QString>> m_named; // the entries noticed in other folders, by folder
    QHash<QString, Arrival> m_arrivals;    // pictures seen being written, as last looked at
    QTimer m_burst;                        // a burst of notices costs one listing
    QTimer m_settling;                     // pictures being written are looked at again
};
