#include "IntroImage.h"

#include "LibraryTree.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>

namespace {

QString folderOf(const QString& path)
{
    return path.left(path.size() - FileNameOf(path).size());
}

// Renames the file behind a list entry inside its own folder and lets the entry follow.
bool renameEntry(QString& entry, const QString& newName)
{
    const QString renamed = folderOf(entry) + newName;
    if (!RenameWithoutReplacing(entry, renamed).done())
        return false;
    entry = renamed;
    return true;
}

Outcome notRenamed()
{
    return Outcome::refused(QCoreApplication::translate(
        "IntroImage", "There was a problem renaming image files.  The files may be set "
                      "to READ ONLY mode (i.e. they're on a CD ROM)."));
}

} // namespace

// Where the extension begins: its point, or the end of a name without one.
qsizetype extensionAt(const QString& name)
{
    const qsizetype point = name.lastIndexOf(QLatin1Char('.'));
    return point < 0 ? name.size() : point;
}

bool IsIntroName(const QString& name)
{
    // "().jpg" is no intro name: its plain name ".jpg" would hide the file from every list.
    const qsizetype extension = extensionAt(name);
    return extension > 2 && name.startsWith(QLatin1Char('(')) && name.at(extension - 1) == QLatin1Char(')');
}

QString IntroName(const QString& name)
{
    const qsizetype extension = extensionAt(name);
    return QLatin1Char('(') + name.left(extension) + QLatin1Char(')') + name.mid(extension);
}

QString PlainName(const QString& introName)
{
    const qsizetype extension = extensionAt(introName);
    return introName.mid(1, extension - 2) + introName.mid(extension);
}

Outcome MakeIntroImage(QStringList& paths, qsizetype current)
{
    if (current < 0 || current >= paths.size())
        return notRenamed();
    for (QString& entry : paths) {
        const QString name = FileNameOf(entry);
        if (IsIntroName(name) && !renameEntry(entry, PlainName(name)))
            return notRenamed();
    }
    QString& chosen = paths[current];
    return renameEntry(chosen, IntroName(FileNameOf(chosen))) ? Outcome{} : notRenamed();
}
