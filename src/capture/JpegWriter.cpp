#include "JpegWriter.h"

#include "ImageFiles.h"
#include "clsDIBSection.h"
#include "platform/TurboJpeg.h"

JpegError::JpegError(int number, const QString& description)
    : std::runtime_error(description.toStdString())
    , m_number(number)
    , m_description(description)
{
}

QByteArray JpegFileBytes(const clsDIBSection& dib, int quality)
{
    const JpegEncoding encoding =
        EncodeJpeg(dib.DIBSectionBitsPtr(), dib.Width(), dib.Height(), dib.BytesPerScanLine(), quality);
    if (!encoding.initialised)
        throw JpegError(JpegErrorNumber, QStringLiteral("Failed to initialise the JPEG encoder: %1 (%2)")
                                             .arg(encoding.code)
                                             .arg(encoding.message));
    if (encoding.code != 0)
        throw JpegError(
            JpegErrorNumber,
            QStringLiteral("Failed to save to JPG %1 (%2)").arg(encoding.code).arg(encoding.message));
    return encoding.bytes;
}

bool WriteJpegFile(const clsDIBSection& dib, const QString& path, int quality)
{
    const FileOutcome outcome = ReplaceFile(path, JpegFileBytes(dib, quality));
    if (!outcome.ok())
        throw JpegError(outcome.error, outcome.text);
    return true;
}
