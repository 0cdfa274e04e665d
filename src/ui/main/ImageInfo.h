#pragma once

#include <QString>

/// The file's last change in local time: the long date of the user's locale, ", ", and the
/// time as "hh:mm:ss AM/PM"; empty when the file cannot be read.
QString FileDateText(const QString& path);

/// The main window's info line for a file: its date text, "  (", whole kilobytes and "KB)";
/// empty when the file is gone.
QString ImageInfoLine(const QString& path);
