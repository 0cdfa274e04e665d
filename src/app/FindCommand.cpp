#include "FindCommand.h"

#include "core/Startup.h"
#include "library/IndexDatabase.h"
#include "library/IndexSearch.h"
#include "platform/FileNames.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>
#include <cstdio>

int RunFindCommand(const QStringList& words, const QString& directory)
{
    // The library the program itself would open with the same folder, or without one.
    const DataFolders folders =
        DataFoldersFor(QCoreApplication::applicationDirPath() + QLatin1Char('/'),
                       {QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
    const std::optional<QString> library = LibraryRootFor(folders.libraryParent, directory);
    if (!library || words.join(QString()).trimmed().isEmpty()) {
        std::fputs((QCoreApplication::translate("FindCommand", "Usage: vistrelle [DIRECTORY] --find WORDS") +
                    QLatin1Char('\n'))
                       .toLocal8Bit()
                       .constData(),
                   stderr);
        return 2;
    }
    const QString root = *library;
    const QString file = IndexFileFor(root, IndexFolder());
    const IndexSearch search(root, file);
    QList<FoundPicture> found;
    // Not "nothing found": the index could not say.
    if (const Outcome outcome = search.find(words.join(QLatin1Char(' ')), found); !outcome.done()) {
        std::fputs((outcome.text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        return 3;
    }
    for (const FoundPicture& picture : found) {
        // The name's own bytes, so the path names the file whatever its encoding.
        const QByteArray line = NativePath(picture.path) + '\n';
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    }
    const QList<LibraryPicture> pictures = ListLibraryPictures(root);
    if (const int unread = search.unread(pictures); unread > 0) {
        const QLocale locale;
        const QString note = QCoreApplication::translate("FindCommand", "Not read yet: %1 of %2 pictures.")
                                 .arg(locale.toString(unread), locale.toString(pictures.size())) +
                             QLatin1Char('\n');
        std::fputs(note.toLocal8Bit().constData(), stderr);
    }
    return found.isEmpty() ? 1 : 0;
}
