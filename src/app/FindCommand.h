#pragma once

#include <QStringList>

/// `vistrelle --find WORDS`: prints the paths of the library's pictures that hold every word,
/// one a line, newest first, and on standard error how many pictures are not read yet. Reads
/// the index as it is, whether or not the program runs. The exit status: 0 when a picture
/// matched, 1 when none did, 2 without words, 3 when the index cannot be opened (missing,
/// damaged, unreadable): no answer, which is not "none matched". Needs a QCoreApplication.
int RunFindCommand(const QStringList& words);
