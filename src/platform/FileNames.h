#pragma once

#include <QByteArray>
#include <QString>

/// File names are bytes; the program's paths are text. A name that is not valid UTF-8 (written
/// by an older system or another locale) must still be listed, shown, deleted, moved and renamed,
/// so the two convert into each other without loss: valid UTF-8 becomes its text, and each byte
/// that is not part of a valid sequence becomes one code unit U+DC80..U+DCFF, which converts back
/// into that byte. Every POSIX call of platform/ takes its path through NativePath.

/// The name the system knows \a path by.
QByteArray NativePath(const QString& path);

/// The text of the path or name \a bytes; NativePath of it gives \a bytes back.
QString PathFromNative(const QByteArray& bytes);
