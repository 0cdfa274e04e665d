#pragma once

#include "platform/Outcome.h"

#include <QString>
#include <QStringList>

/// True for an intro image's name: "(" + stem + ")" + an extension such as ".jpg" or ".jpeg".
bool IsIntroName(const QString& name);

/// The intro name "(" + stem + ")" + extension for a file named stem + extension.
QString IntroName(const QString& name);

/// The plain name stem + extension of an intro name.
QString PlainName(const QString& introName);

/// Makes the file at \a current (from 0) of \a paths, the files of an Image Set's list, the intro
/// image of its set: every intro image among \a paths gets its plain name back, then that file
/// gets its intro name, each in its own folder; \a paths follows every rename. Stops at the
/// first rename that fails (no such file, a read-only folder, a name already taken: nothing is
/// ever replaced) and is refused; the renames done before stay done.
Outcome MakeIntroImage(QStringList& paths, qsizetype current);
