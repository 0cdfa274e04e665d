#pragma once

#include "platform/Outcome.h"

#include <QString>

struct AppState;

/// True for an intro image's name: "(" + stem + ")" + an extension such as ".jpg" or ".jpeg".
bool IsIntroName(const QString& name);

/// The intro name "(" + stem + ")" + extension for a file named stem + extension.
QString IntroName(const QString& name);

/// The plain name stem + extension of an intro name.
QString PlainName(const QString& introName);

/// Makes the current file of the main list the intro image of its Image Set: every listed intro
/// image gets its plain name back, then the current file gets its intro name, each in its own
/// folder. fileListEntries follows every rename. Stops at the first rename that fails (no
/// current file, a read-only folder, a name already taken: nothing is ever replaced) and is
/// refused; the renames done before stay done.
Outcome MakeIntroImage(AppState& state);
