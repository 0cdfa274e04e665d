#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

class clsDIBSection;

/// A failure of the JPEG writer: error 26001 for the encoder, or the system's error number
/// when the file could not be replaced. Caught by the screenshot writer; never leaves a tick.
class JpegError : public std::runtime_error
{
public:
    JpegError(int number, const QString& description);
    int number() const { return m_number; }
    QString source() const { return QStringLiteral("vistrelle.modIntelJPEGLibrary"); }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

/// The number of an encoder failure.
constexpr int JpegErrorNumber = 26001;

/// The JPEG file for the pixels of \a dib at \a quality, encoded in place from the section.
/// Throws JpegError (26001) when the encoder fails.
QByteArray JpegFileBytes(const clsDIBSection& dib, int quality);

/// Writes the pixels of \a dib as a JPEG file at \a path. An existing file of that name is
/// replaced only once the new one is complete, and keeps its access and modification times and
/// its permissions. Throws JpegError when the encoder fails, when an existing file is
/// read-only (it stays as it was) or when the file cannot be written. True when written.
bool WriteJpegFile(const clsDIBSection& dib, const QString& path, int quality);
