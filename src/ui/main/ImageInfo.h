#pragma once

#include <QString>

class QFontMetrics;

/// The file's last change in local time: the long date of the user's locale, ", ", and the
/// time as "hh:mm:ss AM/PM"; empty when the file cannot be read.
QString FileDateText(const QString& path);

/// The main window's info line for a file: its date text, "  (", whole kilobytes and "KB)";
/// empty when the file is gone.
QString ImageInfoLine(const QString& path);

/// The width in \a metrics of the longest info line a file of up to 99999 kilobytes can have in
/// the user's locale, whatever its day and month.
int WidestImageInfoLine(const QFontMetrics& metrics);
