#include "ImageViewerSteps.h"

#include "core/AppState.h"
#include "library/FileOperations.h"
#include "library/LibraryTree.h"

#include <algorithm>

namespace {

constexpr int extensionLength = 4;

int fileCount(const AppState& state)
{
    return static_cast<int>(state.fileListEntries.size());
}

bool hasCurrentFile(const AppState& state)
{
    return state.currentFileIndex >= 1 && fileCount(state) > 0;
}

QString folderOf(const QString& path)
{
    return path.left(path.size() - FileNameOf(path).size());
}

// Renames the file behind a table entry inside its own folder and lets the entry follow.
bool renameEntry(QString& entry, const QString& newName)
{
    const QString renamed = folderOf(entry) + newName;
    if (RenameWithoutReplacing(entry, renamed) != RenameResult::Renamed)
        return false;
    entry = renamed;
    return true;
}

} // namespace

int NextFileIndex(const AppState& state)
{
    if (!hasCurrentFile(state))
        return 0;
    return state.currentFileIndex < fileCount(state) ? state.currentFileIndex + 1 : 1;
}

int PreviousFileIndex(const AppState& state)
{
    if (!hasCurrentFile(state))
        return 0;
    return state.currentFileIndex > 1 ? std::min(state.currentFileIndex - 1, fileCount(state))
                                      : fileCount(state);
}

bool IsIntroName(const QString& name)
{
    // "().jpg" is no intro name: its plain name ".jpg" would hide the file from every list.
    return name.size() > extensionLength + 2 && name.startsWith(QLatin1Char('(')) &&
           name.at(name.size() - extensionLength - 1) == QLatin1Char(')');
}

QString IntroName(const QString& name)
{
    return QLatin1Char('(') + name.left(name.size() - extensionLength) + QLatin1Char(')') +
           name.right(extensionLength);
}

QString PlainName(const QString& introName)
{
    return introName.mid(1, introName.size() - extensionLength - 2) + introName.right(extensionLength);
}

bool MakeIntroImage(AppState& state)
{
    if (!hasCurrentFile(state) || state.currentFileIndex > fileCount(state))
        return false;
    for (QString& entry : state.fileListEntries) {
        const QString name = FileNameOf(entry);
        if (IsIntroName(name) && !renameEntry(entry, PlainName(name)))
            return false;
    }
    QString& current = state.fileListEntries[state.currentFileIndex - 1];
    return renameEntry(current, IntroName(FileNameOf(current)));
}
