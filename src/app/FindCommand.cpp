#include "FindCommand.h"

#include "core/Startup.h"
#include "library/IndexDatabase.h"
#include "library/IndexSearch.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <cstdio>

int RunFindCommand(const QStringList& words)
{
    if (words.join(QString()).trimmed().isEmpty()) {
        std::fputs("Usage: vistrelle --find WORDS\n", stderr);
        return 2;
    }
    // The library the program itself would open without arguments.
    const DataFolders folders =
        DataFoldersFor(QCoreApplication::applicationDirPath() + QLatin1Char('/'),
                       {QStandardPaths::writableLocation(QStandardPaths::PicturesLocation),
                        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
    const QString root = LibraryRootFor(folders.libraryParent, QString()).value_or(QString());
    const IndexSearch search(root, IndexFileFor(root, IndexFolder()));
    const QList<FoundPicture> found = search.find(words.join(QLatin1Char(' ')));
    for (const FoundPicture& picture : found) {
        const QByteArray line = QFile::encodeName(picture.path) + '\n';
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    }
    const QList<LibraryPicture> pictures = ListLibraryPictures(root);
    if (const int unread = search.unread(pictures); unread > 0) {
        const QLocale locale;
        const QString note = QStringLiteral("Not read yet: %1 of %2 pictures.\n")
                                 .arg(locale.toString(unread), locale.toString(pictures.size()));
        std::fputs(note.toLocal8Bit().constData(), stderr);
    }
    return found.isEmpty() ? 1 : 0;
}
