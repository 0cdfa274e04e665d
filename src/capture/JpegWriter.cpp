#include "JpegWriter.h"

#include "BottomUpBgrBuffer.h"
#include "platform/TurboJpeg.h"

#include <QCoreApplication>

Outcome EncodeJpegFile(const BottomUpBgrBuffer& dib, int quality, QByteArray& file)
{
    JpegEncoding encoding =
        EncodeJpeg(dib.DIBSectionBitsPtr(), dib.Width(), dib.Height(), dib.BytesPerScanLine(), quality);
    if (!encoding.initialised)
        return Outcome::failed(
            JpegErrorNumber,
            QCoreApplication::translate("JpegWriter", "Failed to initialise the JPEG encoder: %1 (%2)")
                .arg(encoding.code)
                .arg(encoding.message));
    if (encoding.code != 0)
        return Outcome::failed(JpegErrorNumber,
                               QCoreApplication::translate("JpegWriter", "Failed to save to JPG %1 (%2)")
                                   .arg(encoding.code)
                                   .arg(encoding.message));
    file = std::move(encoding.bytes);
    return {};
}
