#pragma once

#include <QStringList>

/// `vistrelle [DIRECTORY] --find WORDS`: prints the paths of the pictures of the library that
/// \a directory names as the program's command line does (DIRECTORY/Vistrelles/; the library the
/// program opens without arguments when empty) that hold every word, one a line, newest first,
/// and on standard error how many pictures are not read yet. Reads the index as it is, whether
/// or not the program runs. The exit status: 0 when a picture matched, 1 when none did, 2
/// without words or with a folder the program refuses, 3 when the index cannot be opened
/// (missing, damaged, unreadable): no answer, which is not "none matched". Needs a
/// QCoreApplication.
int RunFindCommand(const QStringList& words, const QString& directory);
