#pragma once

#include <QDateTime>
#include <QSize>
#include <QStringList>

/// Builds library trees for tests inside a folder the test owns.
namespace TestLibrary {

/// Makes \a folder and its parents.
void makeFolder(const QString& folder);

/// Writes a real picture of \a size at \a path, in the format its extension names
/// (jpg, bmp, gif is written as a bitmap under that name), and returns the path.
QString makeImage(const QString& path, QSize size = QSize(8, 6));

/// Writes \a bytes of text at \a path.
void makeFile(const QString& path, const QByteArray& bytes = "x");

/// The bytes of the file at \a path; empty when it cannot be read.
QByteArray contents(const QString& path);

/// Every file below \a folder, hidden ones too, as sorted paths relative to it.
QStringList filesIn(const QString& folder);

/// Sets the file's modification time.
void setModified(const QString& path, const QDateTime& when);

} // namespace TestLibrary
