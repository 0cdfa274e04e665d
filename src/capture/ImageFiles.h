#pragma once

#include <QByteArray>
#include <QString>

class clsDIBSection;

/// The outcome of writing a file: the system's error number (0 on success) and its text.
struct FileOutcome
{
    int error = 0;
    QString text;
    bool ok() const { return error == 0; }
};

/// A complete 24-bit bitmap file (file header, 40-byte info header, bottom-up rows) holding the
/// pixels of \a dib. Throws ArithmeticOverflow when the file size overflows 32 bits.
QByteArray BitmapFileBytes(const clsDIBSection& dib);

/// Writes \a bytes under a hidden temporary name in the folder of \a path, then gives the file
/// the name \a path without ever replacing a file: EEXIST when the name was taken meanwhile.
/// A half-written file never carries a visible name.
FileOutcome WriteNewFile(const QString& path, const QByteArray& bytes);

/// Writes \a bytes in place of the file at \a path (or as a new file), through a hidden
/// temporary file renamed over it once complete. A replaced file's access and modification times
/// and permissions are carried over; a file without owner write permission is left alone and
/// gives EACCES.
FileOutcome ReplaceFile(const QString& path, const QByteArray& bytes);
