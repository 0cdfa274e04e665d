#pragma once

#include <QColor>
#include <QDateTime>
#include <QSize>
#include <QStringList>
#include <functional>

/// Builds library trees for tests inside a folder the test owns; folders are made as needed.
namespace TestLibrary {

void makeFolder(const QString& folder);
/// A real picture of one colour, in the format the extension names (jpg or jpeg, png, else a
/// bitmap under that name); returns \a path.
QString makeImage(const QString& path, QSize size = QSize(8, 6), const QColor& colour = QColor(30, 120, 200));
void makeFile(const QString& path, const QByteArray& bytes = "x");
/// The bytes of the file at \a path; empty when it cannot be read.
QByteArray contents(const QString& path);
/// Every file below \a folder, hidden ones too, as sorted paths relative to it.
QStringList filesIn(const QString& folder);
void setModified(const QString& path, const QDateTime& when);
/// Runs \a act while this process may write files of at most \a bytes, as on a disk that fills.
void withFileSizeLimit(qint64 bytes, const std::function<void()>& act);
/// Removes \a folder and all below it, links not followed, whatever the names' bytes: a folder
/// that holds a name that is not UTF-8 is beyond QDir's reach.
void removeTree(const QString& folder);

} // namespace TestLibrary
