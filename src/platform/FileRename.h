#pragma once

#include <QString>

/// Renames the file \a from to \a to, never replacing a file that already has the name \a to:
/// then nothing changes and the result is false. False too when the rename itself fails.
bool RenameWithoutReplacing(const QString& from, const QString& to);
